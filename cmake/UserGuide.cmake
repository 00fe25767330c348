# The user guide that "Pocket VEL Help" shows and the install puts beside the examples: the
# user's part of README.md, between its two markers, so that there is one text to keep.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md)
file(READ ${CMAKE_SOURCE_DIR}/README.md _vel_readme)
string(FIND "${_vel_readme}" "<!-- user guide -->" _vel_begin)
string(FIND "${_vel_readme}" "<!-- end of user guide -->" _vel_end)
if(_vel_begin LESS 0 OR _vel_end LESS _vel_begin)
    message(FATAL_ERROR "README.md: the markers of the user guide are missing")
endif()
math(EXPR _vel_length "${_vel_end} - ${_vel_begin}")
string(SUBSTRING "${_vel_readme}" ${_vel_begin} ${_vel_length} _vel_guide)
# The pictures stay with the README; the guide inside the program is text.
string(REGEX REPLACE "\n!\\[[^\n]*\\)\n" "\n" _vel_guide "${_vel_guide}")
set(VEL_USER_GUIDE ${CMAKE_BINARY_DIR}/help/user-guide.md)
# Written through a copy that changes only with the text, so that a configure run alone does
# not rebuild the resource.
file(WRITE ${CMAKE_BINARY_DIR}/help/user-guide.md.new "# Pocket VEL Help\n\n${_vel_guide}")
configure_file(${CMAKE_BINARY_DIR}/help/user-guide.md.new ${VEL_USER_GUIDE} COPYONLY)
