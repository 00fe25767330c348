# Removes what the last install from this build folder put in place: the files of its
# manifest, then the folders it created, once they are empty. The desktop's caches are brought
# up to date again; where the install created the cache's folder, the cache goes too.
#
#   cmake -DVEL_BINARY_DIR=<build folder> [-DVEL_COMPONENT=<component>] -P Uninstall.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT VEL_BINARY_DIR)
    message(FATAL_ERROR "VEL_BINARY_DIR names the build folder that was installed from")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/InstallSteps.cmake)
vel_install_files("${VEL_BINARY_DIR}" "${VEL_COMPONENT}" state manifest)

if(NOT EXISTS "${manifest}")
    message(STATUS "Nothing to uninstall: ${manifest} does not exist")
    return()
endif()

set(VEL_CREATED_DIRS "")
set(VEL_INSTALLED_DESTDIR "")
if(EXISTS "${state}")
    include("${state}")
endif()

# The manifest names the files as they will lie once a staged install (DESTDIR) is in place.
file(STRINGS "${manifest}" installed)
foreach(file IN LISTS installed)
    if(VEL_INSTALLED_DESTDIR)
        string(FIND "${file}" "${VEL_INSTALLED_DESTDIR}/" at)
        if(NOT at EQUAL 0)
            set(file "${VEL_INSTALLED_DESTDIR}${file}")
        endif()
    endif()
    if(EXISTS "${file}" OR IS_SYMLINK "${file}")
        file(REMOVE "${file}")
        message(STATUS "Removed: ${file}")
    endif()
endforeach()

if(EXISTS "${state}")
    if(NOT VEL_INSTALLED_STAGED)
        vel_refresh_desktop_caches("${VEL_INSTALLED_SHARE}")
        # A cache in a folder this install created describes nothing but what it installed.
        set(mime "${VEL_INSTALLED_SHARE}/mime")
        file(GLOB packages "${mime}/packages/*")
        if(mime IN_LIST VEL_CREATED_DIRS AND NOT packages)
            file(REMOVE_RECURSE "${mime}")
            message(STATUS "Removed: ${mime}/ (the MIME database of this install alone)")
        endif()
        set(applications "${VEL_INSTALLED_SHARE}/applications")
        file(GLOB entries "${applications}/*.desktop")
        if(applications IN_LIST VEL_CREATED_DIRS AND NOT entries)
            file(REMOVE "${applications}/mimeinfo.cache")
        endif()
        set(hicolor "${VEL_INSTALLED_SHARE}/icons/hicolor")
        file(GLOB_RECURSE icons "${hicolor}/*.png" "${hicolor}/*.svg" "${hicolor}/*.xpm")
        if(hicolor IN_LIST VEL_CREATED_DIRS AND NOT icons)
            file(REMOVE "${hicolor}/icon-theme.cache")
        endif()
    endif()
endif()

# Children sort after their parents; in descending order each folder comes before its parent.
list(SORT VEL_CREATED_DIRS ORDER DESCENDING)
foreach(dir IN LISTS VEL_CREATED_DIRS)
    if(IS_DIRECTORY "${dir}")
        file(GLOB children LIST_DIRECTORIES true "${dir}/*" "${dir}/.*")
        if(NOT children)
            file(REMOVE_RECURSE "${dir}")
            message(STATUS "Removed: ${dir}/")
        endif()
    endif()
endforeach()

file(REMOVE "${manifest}" "${state}")
