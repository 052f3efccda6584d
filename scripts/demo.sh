#!/usr/bin/env bash
# Headless demo through the command line: a new document and its summary.
set -euo pipefail
cd "$(dirname "$0")/.."
qvlogo=build/bin/qvlogo
mkdir -p out
"$qvlogo" new out/demo.qvlogo
echo "Wrote out/demo.qvlogo:"
"$qvlogo" info out/demo.qvlogo
