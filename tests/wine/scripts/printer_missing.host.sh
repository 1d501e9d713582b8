#!/bin/bash
# Linux side of printer_missing.kvt: the private CUPS scheduler of
# printing.kvt without any queue, so Wine finds no printer at all.
KV_PRINT_QUEUE= exec "$(dirname "$0")/printing.host.sh" "$@"
