#!/bin/sh
# Nautilus runs a script in the folder it shows, with the selected files and
# folders as names relative to it. A name that starts with "-" must not be
# taken for an option of kesto or of Qt, so each relative name gets "./".
for name; do
    case $name in
    /*) set -- "$@" "$name" ;;
    *) set -- "$@" "./$name" ;;
    esac
    shift
done
exec kesto "$@"
