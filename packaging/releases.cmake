# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The releases, newest first: the version, the date and what it brought, one
# note an argument (no semicolons: CMake would split the note there). The
# software-centre entry's release notes and the package's changelog are made
# from this table.
set(ZEMBREL_RELEASES)
macro(zembrel_release version date)
    list(APPEND ZEMBREL_RELEASES ${version})
    set(release_${version}_date ${date})
    set(release_${version}_notes ${ARGN})
endmacro()

zembrel_release(1.1.0 2026-12-10
    "A new window, 解题详情 (辅助 menu, Ctrl+D, or a double-click on a result), shows for each panel the equation as it was read, every root in exact textbook form with its decimal, the cubic's three roots including complex ones, the system's solution or general solution, the working step by step and a graph of the curve or the two lines, and follows the fields as you type."
    "The details window warns where a field's text was not wholly a number and says how it was read, copies a page as text and saves its graph as a PNG picture."
    "Every decision and every digit is now computed exactly from the numbers as typed: double roots such as those of (2x − 0.7)² = 0 are shown as such, and two equal lines are reported as having infinitely many solutions."
)

zembrel_release(1.0.0 2025-01-01
    "Four panels solve a linear equation, a quadratic equation with real or complex roots, the incomplete cubic x³ + px + q = 0 and a linear system of two or three equations, and each panel checks the roots it found."
    "The menu resets every field, starts the desktop's calculator, opens the error-report page and tells the program's version."
)

list(GET ZEMBREL_RELEASES 0 newest)
if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/releases.cmake: the newest release is ${newest}; add ${PROJECT_VERSION}")
endif()
set(ZEMBREL_RELEASE_DATE ${release_${newest}_date})

# <release> elements for the metainfo.
set(ZEMBREL_RELEASES_XML)
foreach(version IN LISTS ZEMBREL_RELEASES)
    string(APPEND ZEMBREL_RELEASES_XML
           "    <release version=\"${version}\" date=\"${release_${version}_date}\">\n"
           "      <description>\n        <ul>\n")
    foreach(note IN LISTS release_${version}_notes)
        string(REPLACE "&" "&amp;" note "${note}")
        string(REPLACE "<" "&lt;" note "${note}")
        string(APPEND ZEMBREL_RELEASES_XML "          <li>${note}</li>\n")
    endforeach()
    string(APPEND ZEMBREL_RELEASES_XML "        </ul>\n      </description>\n    </release>")
endforeach()

# The Debian changelog: an entry a release, each note a "*" item wrapped
# within 80 columns, the maintainer and the date in RFC 5322 form.
set(ZEMBREL_CHANGELOG)
foreach(version IN LISTS ZEMBREL_RELEASES)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d ${release_${version}_date}
                    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(APPEND ZEMBREL_CHANGELOG "zembrel (${version}) unstable; urgency=medium\n\n")
    foreach(note IN LISTS release_${version}_notes)
        string(REPLACE " " ";" words "${note}")
        set(line "  *")
        foreach(word IN LISTS words)
            string(LENGTH "${line} ${word}" length)
            if(length GREATER 78 AND NOT line STREQUAL "  *")
                string(APPEND ZEMBREL_CHANGELOG "${line}\n")
                set(line "   ")
            endif()
            string(APPEND line " ${word}")
        endforeach()
        string(APPEND ZEMBREL_CHANGELOG "${line}\n")
    endforeach()
    string(APPEND ZEMBREL_CHANGELOG "\n -- ${ZEMBREL_MAINTAINER}  ${date}\n\n")
endforeach()
string(STRIP "${ZEMBREL_CHANGELOG}" ZEMBREL_CHANGELOG)
