# cmake -DZIP=... -DFOLDER=... -DOBJDUMP=... -P unpack_release.cmake
# Unpacks the release into a new FOLDER and checks what a user gets: exactly the four files in Merulan/,
# a palette of at most 512 KB that needs no DLL but Windows' own, and a guide Notepad reads right.
function(fail message)
    message(FATAL_ERROR "${message}")
endfunction()
cmake_policy(VERSION 3.25)

file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${FOLDER}")

file(GLOB_RECURSE found RELATIVE "${FOLDER}" LIST_DIRECTORIES false "${FOLDER}/*")
list(SORT found)
set(expected Merulan/Merulan.exe Merulan/MerulanList.txt Merulan/merulan-tool.exe Merulan/お読みください.txt)
list(SORT expected)
if(NOT found STREQUAL expected)
    fail("the zip holds ${found}, not ${expected}")
endif()

set(exe "${FOLDER}/Merulan/Merulan.exe")
file(SIZE "${exe}" size)
if(size GREATER 524288)
    fail("Merulan.exe is ${size} bytes, more than 512 KB")
endif()

# Windows' own libraries only: no MinGW runtime that a user would have to find.
set(system_dlls advapi32 comctl32 comdlg32 dwmapi gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shell32 shlwapi
                user32 uxtheme version)
foreach(program Merulan.exe merulan-tool.exe)
    execute_process(COMMAND "${OBJDUMP}" -p "${FOLDER}/Merulan/${program}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    if(failed OR NOT imports)
        fail("objdump -p found no imports in ${program}")
    endif()
    foreach(import IN LISTS imports)
        string(REGEX REPLACE "DLL Name: ([^.]+)\\.dll" "\\1" dll "${import}")
        string(TOLOWER "${dll}" dll)
        if(NOT dll IN_LIST system_dlls)
            fail("${program} imports ${import}, which is not part of Windows")
        endif()
    endforeach()
endforeach()

set(guide "${FOLDER}/Merulan/お読みください.txt")
# As bytes (file(READ) as text drops CRs): every line end a CR LF pair, no lone CR or LF.
file(READ "${guide}" bytes HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
string(REPLACE "0d 0a " "" without_line_ends "${bytes}")
if(NOT bytes MATCHES "^ef bb bf .*0d 0a " OR without_line_ends MATCHES "(^| )0[ad] ")
    fail("お読みください.txt is not UTF-8 with a byte-order mark and CR LF line ends")
endif()
