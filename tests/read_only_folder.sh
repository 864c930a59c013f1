#!/usr/bin/env bash
# setup FOLDER: a folder holding a command list and a settings file, none of which Wine's processes can
# change. chmod is not enough for root, who writes to read-only files; immutable ones stop root too.
# cleanup FOLDER: makes it all writable again and removes it.
set -u
action=$1 folder=$2
case "$action" in
setup)
    "$0" cleanup "$folder"
    mkdir -p "$folder"
    printf '\xEF\xBB\xBF作図\r\nLINE\t線分\r\n' >"$folder/MerulanList.txt"
    printf '[Form]\r\nWidth=1\r\n' >"$folder/Merulan.ini"
    if [ "$(id -u)" = 0 ]; then
        # Not every file system takes the attribute: the tests then find it writable and say so.
        chattr +i "$folder/MerulanList.txt" "$folder/Merulan.ini" "$folder" 2>/dev/null ||
            echo "read_only_folder: chattr +i not supported here" >&2
    else
        chmod a-w "$folder/MerulanList.txt" "$folder/Merulan.ini" "$folder"
    fi
    ;;
cleanup)
    [ -d "$folder" ] || exit 0
    chattr -i "$folder" "$folder"/* 2>/dev/null
    chmod -R u+w "$folder"
    rm -rf "$folder"
    ;;
*)
    echo "usage: $0 setup|cleanup FOLDER" >&2
    exit 2
    ;;
esac
