# cmake -DPALETTE=... -DTOOL=... -DSAMPLE=... -DGUIDE=... -DRELEASE=<release/> -DWORK=... -P zip_owner_test.cmake
# The same zip from any account: packed here by this account, and by another one when this one is root
# (root can become another; another cannot become root), the zips record owner and group 0 in every header,
# and the two are the same bytes.
cmake_policy(VERSION 3.25)
include("${RELEASE}/zip-owner.cmake")

function(fail message)
    message(FATAL_ERROR "${message}")
endfunction()

# Packs into WORK/name/ with the given command in front of cmake (empty: as this account).
function(pack name)
    set(folder "${WORK}/${name}")
    file(MAKE_DIRECTORY "${folder}")
    file(CHMOD "${folder}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_WRITE
         GROUP_EXECUTE WORLD_READ WORLD_WRITE WORLD_EXECUTE)
    execute_process(
        COMMAND ${ARGN} "${CMAKE_COMMAND}" "-DZIP=${folder}/release.zip" "-DSTAGE=${folder}/stage"
                "-DPROGRAMS=${PALETTE};${TOOL}" "-DSAMPLE=${SAMPLE}" "-DGUIDE=${GUIDE}" -P "${RELEASE}/make-zip.cmake"
        RESULT_VARIABLE failed ERROR_VARIABLE error)
    if(failed)
        fail("packing as ${name} failed: ${error}")
    endif()
    zip_owner_ids("${folder}/release.zip" ids)
    list(LENGTH ids count)
    list(REMOVE_ITEM ids 0)
    # Four members, each with a local and a central header, each with an owner and a group.
    if(NOT count EQUAL 16 OR ids)
        fail("the zip packed as ${name} records ${count} ids instead of 16, or ids other than 0: ${ids}")
    endif()
endfunction()

set(ENV{SOURCE_DATE_EPOCH} 1700000000)
file(REMOVE_RECURSE "${WORK}")
pack(this-account)
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT uid STREQUAL "0")
    message(STATUS "packed by this account only (another needs root)")
    return()
endif()
find_program(SETPRIV setpriv REQUIRED)
pack(nobody "${SETPRIV}" --reuid=65534 --regid=65534 --clear-groups)
file(SHA256 "${WORK}/this-account/release.zip" mine)
file(SHA256 "${WORK}/nobody/release.zip" theirs)
if(NOT mine STREQUAL theirs)
    fail("the zip packed by another account differs")
endif()
