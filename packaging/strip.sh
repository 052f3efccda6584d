#!/bin/sh
# The strip the package is made with: as Debian's own packaging tools strip, without the
# compiler's version notes (.comment, .note), which nothing reads.
exec strip --remove-section=.comment --remove-section=.note "$@"
