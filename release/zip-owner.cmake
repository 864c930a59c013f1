# zip_owner_fields(ZIP OUT_VAR): the byte offsets of every owner and group id that ZIP records (each
# four bytes, little-endian, in the Unix "ux" extra field of its local and central headers), found by
# walking the archive's own structure, so that bytes of the packed files are never taken for one.
# The packer records the builder's ids there: make-zip.cmake sets them to 0, the release tests check it.

# The unsigned little-endian number of size bytes at offset (an expression) in zip.
function(_zip_number zip offset size out)
    math(EXPR offset "${offset}")
    file(READ "${zip}" digits OFFSET ${offset} LIMIT ${size} HEX)
    set(reversed "")
    foreach(byte RANGE 1 ${size})
        math(EXPR at "(${size} - ${byte}) * 2")
        string(SUBSTRING "${digits}" ${at} 2 pair)
        string(APPEND reversed "${pair}")
    endforeach()
    math(EXPR value "0x${reversed}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# Appends to out_var the offsets of the ids in the extra fields from offset on, size bytes long.
function(_zip_extra_owner_fields zip offset size out_var)
    set(found ${${out_var}})
    math(EXPR end "${offset} + ${size}")
    while(offset LESS end)
        _zip_number("${zip}" ${offset} 2 id)
        _zip_number("${zip}" "${offset} + 2" 2 field_size)
        math(EXPR data "${offset} + 4")
        if(id EQUAL 30837 AND field_size EQUAL 11) # "ux", version 1, a 4-byte uid, a 4-byte gid
            math(EXPR uid "${data} + 2")
            math(EXPR gid "${data} + 7")
            list(APPEND found ${uid} ${gid})
        endif()
        math(EXPR offset "${data} + ${field_size}")
    endwhile()
    set(${out_var} ${found} PARENT_SCOPE)
endfunction()

function(zip_owner_fields zip out_var)
    file(SIZE "${zip}" zip_size)
    # The end record (22 bytes, no comment): where the central directory starts, and its entry count.
    math(EXPR end_record "${zip_size} - 22")
    _zip_number("${zip}" ${end_record} 4 signature)
    if(NOT signature EQUAL 101010256) # PK\5\6
        message(FATAL_ERROR "${zip}: no zip end record where one belongs")
    endif()
    _zip_number("${zip}" "${end_record} + 10" 2 entries)
    _zip_number("${zip}" "${end_record} + 16" 4 central)
    set(found "")
    foreach(entry RANGE 1 ${entries})
        _zip_number("${zip}" "${central} + 28" 2 name_size)
        _zip_number("${zip}" "${central} + 30" 2 extra_size)
        _zip_number("${zip}" "${central} + 32" 2 comment_size)
        _zip_number("${zip}" "${central} + 42" 4 local)
        math(EXPR at "${central} + 46 + ${name_size}")
        _zip_extra_owner_fields("${zip}" ${at} ${extra_size} found)

        _zip_number("${zip}" "${local} + 26" 2 local_name_size)
        _zip_number("${zip}" "${local} + 28" 2 local_extra_size)
        math(EXPR at "${local} + 30 + ${local_name_size}")
        _zip_extra_owner_fields("${zip}" ${at} ${local_extra_size} found)

        math(EXPR central "${central} + 46 + ${name_size} + ${extra_size} + ${comment_size}")
    endforeach()
    set(${out_var} ${found} PARENT_SCOPE)
endfunction()

# zip_owner_ids(ZIP OUT_VAR): the ids themselves, in the order of zip_owner_fields.
function(zip_owner_ids zip out_var)
    zip_owner_fields("${zip}" offsets)
    set(ids "")
    foreach(offset IN LISTS offsets)
        _zip_number("${zip}" ${offset} 4 id)
        list(APPEND ids ${id})
    endforeach()
    set(${out_var} ${ids} PARENT_SCOPE)
endfunction()
