# cmake -DZIP=... -DSTAGE=... -DPROGRAMS=a.exe;b.exe -DSAMPLE=... -DGUIDE=... -P make-zip.cmake
# Stages the folder Merulan/ and zips it, with SHA256SUMS beside the zip. Every byte depends on the inputs
# alone: member times are SOURCE_DATE_EPOCH (scripts/package sets it to the commit's time; without it, the
# day of the version box), modes are fixed, owner and group ids are 0, members come in a fixed order, zip
# times are taken in UTC and names are written as UTF-8 whatever the caller's locale.
cmake_policy(VERSION 3.25)

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT epoch MATCHES "^[0-9]+$")
    set(epoch 1683504000) # 2023-05-08 00:00:00 UTC
endif()

file(REMOVE_RECURSE "${STAGE}")
set(folder "${STAGE}/Merulan")
file(MAKE_DIRECTORY "${folder}")
file(COPY ${PROGRAMS} DESTINATION "${folder}")
file(COPY "${SAMPLE}" DESTINATION "${folder}")

# Notepad on any Japanese Windows reads the guide right when it is UTF-8 with a byte-order mark and
# CR LF line ends; its source is plain UTF-8 with LF.
get_filename_component(guide_name "${GUIDE}" NAME)
file(READ "${GUIDE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 byte_order_mark)
if(text MATCHES "^${byte_order_mark}")
    set(byte_order_mark "")
endif()
file(WRITE "${folder}/${guide_name}" "${byte_order_mark}${text}")

set(members)
foreach(program IN LISTS PROGRAMS)
    get_filename_component(name "${program}" NAME)
    list(APPEND members "Merulan/${name}")
    file(CHMOD "${folder}/${name}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                              WORLD_READ WORLD_EXECUTE)
endforeach()
get_filename_component(sample_name "${SAMPLE}" NAME)
foreach(name IN ITEMS "${sample_name}" "${guide_name}")
    list(APPEND members "Merulan/${name}")
    file(CHMOD "${folder}/${name}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()

get_filename_component(zip_folder "${ZIP}" DIRECTORY)
file(MAKE_DIRECTORY "${zip_folder}")
file(REMOVE "${ZIP}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC LC_ALL=C.UTF-8 "SOURCE_DATE_EPOCH=${epoch}"
            "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip -- ${members}
    WORKING_DIRECTORY "${STAGE}"
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "could not write ${ZIP}")
endif()

# The packer records the builder's user and group ids in every header: the same commit must give the same
# zip from any account, so they become 0, the ids an unpacking root takes as its own. Zip headers carry no
# user or group names. Where they are 0 already (a root build, a Windows host) nothing is patched.
include("${CMAKE_CURRENT_LIST_DIR}/zip-owner.cmake")
zip_owner_fields("${ZIP}" owner_offsets)
zip_owner_ids("${ZIP}" owner_ids)
if(NOT owner_offsets)
    message(FATAL_ERROR "${ZIP}: no owner ids found; the packer's zip headers changed")
endif()
foreach(offset id IN ZIP_LISTS owner_offsets owner_ids)
    if(NOT id EQUAL 0)
        execute_process(COMMAND dd if=/dev/zero "of=${ZIP}" bs=1 "seek=${offset}" count=4 conv=notrunc status=none
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "could not set the owner ids in ${ZIP} to 0 (dd: ${failed})")
        endif()
    endif()
endforeach()

get_filename_component(zip_name "${ZIP}" NAME)
file(SHA256 "${ZIP}" hash)
file(WRITE "${zip_folder}/SHA256SUMS" "${hash}  ${zip_name}\n")
