# Runs at install time (VEL_STEP "begin" before the files, "end" after them) and lends its
# functions to cmake/Uninstall.cmake.
#
# begin: notes in the build folder where this install goes and which of its folders do not
#        exist yet, so that uninstall removes those folders again and no others.
# end:   registers the file type, the desktop entry and the icon with the desktop's caches when
#        the tools are there. A staged install (DESTDIR) leaves that to the package's scripts.

# The folder `dir` (relative to the prefix, or absolute) as it lies on disk.
function(vel_install_path out root dir)
    if(IS_ABSOLUTE "${dir}")
        set(path "$ENV{DESTDIR}${dir}")
    else()
        set(path "${root}/${dir}")
    endif()
    cmake_path(NORMAL_PATH path)
    string(REGEX REPLACE "(.)/$" "\\1" path "${path}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

# The state file and manifest of an install of `component` (empty for a whole install).
function(vel_install_files binary_dir component state_out manifest_out)
    set(suffix "")
    if(component)
        set(suffix "_${component}")
    endif()
    set(${state_out} "${binary_dir}/install_state${suffix}.cmake" PARENT_SCOPE)
    set(${manifest_out} "${binary_dir}/install_manifest${suffix}.txt" PARENT_SCOPE)
endfunction()

# Brings the MIME database, the desktop entries' MIME cache and the icon cache under `share`
# up to date. A missing tool is skipped: the files work without the caches, only later.
function(vel_refresh_desktop_caches share)
    find_program(VEL_UPDATE_MIME update-mime-database)
    find_program(VEL_UPDATE_DESKTOP update-desktop-database)
    find_program(VEL_UPDATE_ICONS gtk-update-icon-cache)
    if(VEL_UPDATE_MIME AND IS_DIRECTORY "${share}/mime/packages")
        message(STATUS "Updating the MIME database in ${share}/mime")
        execute_process(COMMAND "${VEL_UPDATE_MIME}" "${share}/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(VEL_UPDATE_DESKTOP AND IS_DIRECTORY "${share}/applications")
        execute_process(COMMAND "${VEL_UPDATE_DESKTOP}" -q "${share}/applications"
                        OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(VEL_UPDATE_ICONS AND IS_DIRECTORY "${share}/icons/hicolor")
        execute_process(COMMAND "${VEL_UPDATE_ICONS}" -q -t -f "${share}/icons/hicolor"
                        OUTPUT_QUIET ERROR_QUIET)
    endif()
endfunction()

if(VEL_STEP STREQUAL "begin")
    set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    vel_install_files("${VEL_BINARY_DIR}" "${CMAKE_INSTALL_COMPONENT}" state manifest)

    # A repeated install into the same place keeps the folders the first one created.
    set(created "")
    if(EXISTS "${state}")
        include("${state}")
        if(VEL_INSTALLED_ROOT STREQUAL root)
            set(created ${VEL_CREATED_DIRS})
        endif()
    endif()
    foreach(dir IN LISTS VEL_INSTALL_DIRS)
        vel_install_path(path "${root}" "${dir}")
        while(NOT EXISTS "${path}")
            list(APPEND created "${path}")
            cmake_path(GET path PARENT_PATH parent)
            if(parent STREQUAL path)
                break()
            endif()
            set(path "${parent}")
        endwhile()
    endforeach()
    list(REMOVE_DUPLICATES created)

    set(staged FALSE)
    if(NOT "$ENV{DESTDIR}" STREQUAL "")
        set(staged TRUE)
    endif()
    vel_install_path(share "${root}" "${VEL_DATADIR}")
    file(WRITE "${state}"
         "set(VEL_INSTALLED_ROOT \"${root}\")\n"
         "set(VEL_INSTALLED_SHARE \"${share}\")\n"
         "set(VEL_INSTALLED_STAGED ${staged})\n"
         "set(VEL_INSTALLED_DESTDIR \"$ENV{DESTDIR}\")\n"
         "set(VEL_CREATED_DIRS \"${created}\")\n")
elseif(VEL_STEP STREQUAL "end")
    if("$ENV{DESTDIR}" STREQUAL "")
        vel_install_path(share "${CMAKE_INSTALL_PREFIX}" "${VEL_DATADIR}")
        vel_refresh_desktop_caches("${share}")
    endif()
endif()
