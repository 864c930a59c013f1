# merulan-tool index end to end on the sample library, in UTF-8 and in Shift-JIS with CR LF.
# Runs natively, and through the cross build's emulator (Wine) for the Windows tool.
# Inputs: TOOL, EMULATOR (may be empty), DATA (tests/data/lispindex), WORK (a scratch folder).
cmake_minimum_required(VERSION 3.25)

set(failures 0)
function(fail message)
    message(SEND_ERROR "${message}")
endfunction()

# Runs the tool; sets out, err and rc in the caller.
function(run_tool)
    execute_process(COMMAND ${EMULATOR} "${TOOL}" index ${ARGN}
                    OUTPUT_VARIABLE output ERROR_VARIABLE error RESULT_VARIABLE result)
    set(out "${output}" PARENT_SCOPE)
    set(err "${error}" PARENT_SCOPE)
    set(rc "${result}" PARENT_SCOPE)
endfunction()

function(expect_output what expected_file)
    file(READ "${expected_file}" expected)
    if(NOT rc EQUAL 0)
        fail("${what}: exit ${rc}, stderr: ${err}")
    elseif(NOT out STREQUAL expected)
        fail("${what}: output differs from ${expected_file}:\n${out}")
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(utf8 "${DATA}/utf8/kenchiku_tools.lsp")
set(sjis "${DATA}/sjis/kenchiku_tools.lsp")

# The list a drop would write, with the source in the palette's folder.
run_tool(--codepage 932 --exe-folder "${DATA}/utf8" "${utf8}")
expect_output("UTF-8 source" "${DATA}/kenchiku_tools.list.txt")
run_tool(--codepage 932 --exe-folder "${DATA}/sjis" "${sjis}")
expect_output("Shift-JIS source" "${DATA}/kenchiku_tools.list.txt")

run_tool(--raw --codepage 932 "${sjis}")
expect_output("--raw" "${DATA}/kenchiku_tools.raw.txt")
run_tool(--json --codepage 932 --exe-folder "${DATA}/utf8" "${utf8}")
expect_output("--json" "${DATA}/kenchiku_tools.json.txt")

# -o writes the list file: CR LF, code page 932.
run_tool(--codepage 932 --exe-folder "${DATA}/sjis" -o "${WORK}/MerulanList.txt" "${sjis}")
file(SHA256 "${WORK}/MerulanList.txt" written)
file(SHA256 "${DATA}/kenchiku_tools.list-cp932.txt" expected)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT written STREQUAL expected)
    fail("-o: exit ${rc}, stdout '${out}', file differs from kenchiku_tools.list-cp932.txt")
endif()

# A source without commands gives nothing and a message; the other sources still give their blocks.
file(WRITE "${WORK}/nothing.lsp" "(defun helper () 1)\n(princ)\n")
run_tool(--codepage 932 --exe-folder "${DATA}/utf8" "${WORK}/nothing.lsp" "${utf8}")
expect_output("a source without commands" "${DATA}/kenchiku_tools.list.txt")
if(NOT err MATCHES "nothing.lsp")
    fail("a source without commands: no message on stderr")
endif()

# A source that cannot be read: its message, exit 1, and nothing written.
run_tool(--codepage 932 -o "${WORK}/never.txt" "${utf8}" "${WORK}/missing.lsp")
if(NOT rc EQUAL 1 OR EXISTS "${WORK}/never.txt" OR NOT err MATCHES "missing.lsp")
    fail("unreadable source with -o: exit ${rc}, stderr '${err}', or a file was written")
endif()
run_tool(--codepage 932 "${utf8}" "${WORK}/missing.lsp")
if(NOT rc EQUAL 1 OR NOT out STREQUAL "")
    fail("unreadable source: exit ${rc}, stdout '${out}'")
endif()

# -o keeps the file it replaces beside it as NAMEyyyymmddhhnnss.EXT; --append adds after its lines;
# --no-backup overwrites. One file each: two runs in the same second would want the same backup name.
set(kept "${WORK}/kept")
file(MAKE_DIRECTORY "${kept}")
file(READ "${DATA}/kenchiku_tools.list-cp932.txt" block HEX)
foreach(name replaced.txt appended.txt overwritten.txt)
    file(WRITE "${kept}/${name}" "old\r\n")
endforeach()
run_tool(--codepage 932 --exe-folder "${DATA}/sjis" -o "${kept}/replaced.txt" "${sjis}")
run_tool(--codepage 932 --exe-folder "${DATA}/sjis" --append -o "${kept}/appended.txt" "${sjis}")
run_tool(--codepage 932 --exe-folder "${DATA}/sjis" --no-backup -o "${kept}/overwritten.txt" "${sjis}")
file(GLOB written RELATIVE "${kept}" "${kept}/*")
list(SORT written)
list(LENGTH written count)
list(GET written 1 appended_backup)
list(GET written 4 replaced_backup)
string(REPEAT "[0-9]" 14 stamp) # CMake's expressions have no {14}
if(NOT count EQUAL 5 OR NOT appended_backup MATCHES "^appended${stamp}\\.txt$"
   OR NOT replaced_backup MATCHES "^replaced${stamp}\\.txt$")
    fail("-o backups: expected appended<stamp>.txt and replaced<stamp>.txt beside the three files, got ${written}")
else()
    foreach(check "replaced.txt;${block}" "appended.txt;6f6c640d0a${block}" "overwritten.txt;${block}"
                  "${appended_backup};6f6c640d0a" "${replaced_backup};6f6c640d0a")
        list(GET check 0 name)
        list(GET check 1 expected)
        file(READ "${kept}/${name}" got HEX)
        if(NOT got STREQUAL expected)
            fail("-o backups: ${name} holds ${got}")
        endif()
    endforeach()
endif()
