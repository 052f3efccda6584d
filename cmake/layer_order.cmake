# The one statement of the layer order, read by the build (src/CMakeLists.txt makes one static
# library per core folder, each linking the one below) and by the include check
# (cmake/check_layers.cmake). Works in script mode too.

# The core's folders, lowest first. A folder may include the folders listed before it.
set(QV_LAYER_ORDER platform scene animation geometry viewport export document)
# Above the whole core: movie encoding (its own library, with FFmpeg), the file exports both
# front ends share (glTF and movies with their options), then the front ends.
set(QV_ALLOWED_movie ${QV_LAYER_ORDER} movie)
set(QV_ALLOWED_publish ${QV_LAYER_ORDER} movie publish)
set(QV_ALLOWED_cli ${QV_LAYER_ORDER} movie publish cli)
set(QV_ALLOWED_ui ${QV_LAYER_ORDER} movie publish ui)
set(QV_ALLOWED_app ${QV_LAYER_ORDER} movie publish ui app)
