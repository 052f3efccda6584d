#!/usr/bin/env bash
# Headless demo through the command line: a text logo in the default font with a short
# keyframed turn, exported as a WebGL page and a WebGPU page under ./out/.
set -euo pipefail
cd "$(dirname "$0")/.."
qvlogo=build/bin/qvlogo
mkdir -p out
rm -f out/demo.qvlogo
"$qvlogo" text out/demo.qvlogo --text "ロゴ Logo"
name=$("$qvlogo" info out/demo.qvlogo | sed -n 's/^ *"name": "\(.*\)",$/\1/p' | tail -n 1)
"$qvlogo" frames out/demo.qvlogo --last 90
"$qvlogo" key out/demo.qvlogo --model "$name" --frame 45 --rotation 0,180,0
"$qvlogo" key out/demo.qvlogo --model "$name" --frame 90 --rotation 0,360,0
"$qvlogo" export out/demo.qvlogo --webgl out/webgl-demo/Logo.html >/dev/null
"$qvlogo" export out/demo.qvlogo --webgpu out/webgpu-demo/Logo.html >/dev/null
echo "Document:    $PWD/out/demo.qvlogo"
echo "WebGL page:  $PWD/out/webgl-demo/Logo.html"
echo "WebGPU page: $PWD/out/webgpu-demo/Logo.html"
echo "Serve the folder (for example: python3 -m http.server -d out) and open a page in a browser."
