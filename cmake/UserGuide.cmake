# The user guide that "Pocket VEL Help" shows and the install puts beside the examples:
# docs/guide.md, written for investors, kept beside the README.
set(_vel_guide_source ${CMAKE_SOURCE_DIR}/docs/guide.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_vel_guide_source})
file(READ ${_vel_guide_source} _vel_guide)
# The pictures stay with the repository; the guide inside the program is text.
string(REGEX REPLACE "\n!\\[[^\n]*\\)\n" "\n" _vel_guide "${_vel_guide}")
set(VEL_USER_GUIDE ${CMAKE_BINARY_DIR}/help/user-guide.md)
# Written through a copy that changes only with the text, so that a configure run alone does
# not rebuild the resource.
file(WRITE ${CMAKE_BINARY_DIR}/help/user-guide.md.new "${_vel_guide}")
configure_file(${CMAKE_BINARY_DIR}/help/user-guide.md.new ${VEL_USER_GUIDE} COPYONLY)
