# Labels by what a test costs, on top of its folder's: `slow` for tests that take more than about
# ten seconds, `gpu` for tests that need a real OpenGL context (EGL, or GLX on the virtual
# display). `ctest -LE slow` is the quick loop; ./test runs everything. Read at configure time for
# the tests CMake registers, and by ctest for the GoogleTest cases, which are only known once
# their program has been asked for its list.

# Regular expressions over ctest's test names. Slow: timed on two shared cores with llvmpipe.
set(QV_SLOW_TESTS
  # Every glyph of whole fonts, and 800,000 numbers against printf: 1 to 8 s each in a release
  # build (some 33 s together): slow as a group.
  "^InstalledFonts/(GlyphSweep|FontSweep)\\."
  "^NumberFormat\\.FixedEqualsPrintfOnRandomBitPatterns$"
  "^MovieFile\\.EveryFrameOfTheRangePlaysForItsWholeTime$"
  "^desktop\\.(soak_test|modal_answers_test|material_session_test|main_window_test)$"
  "^browser_(web_samples|web_export|picture_agreement|page_faults|gltf)$"
  "^(gltf_export_files|agreement_sites)$")                 # make the sites of slow tests only
# GPU: found by running the suite with Mesa's drivers out of reach
# (LIBGL_DRIVERS_PATH=/nonexistent): these fail, every other test passes (the soak test, not run
# so, draws in the same window as the sessions).
set(QV_GPU_TESTS
  "^(GlDeviceTest|RenderPixelsTest|TextPixelTest|CliRender)\\."
  "^MovieFile\\.(EveryFormatReadsBackAsTheRenderedFrames|EveryFrameOfTheRangePlaysForItsWholeTime)$"
  "^MovieFile\\.(GifsFasterThanFiftyFramesASecondKeepTheirDuration|LoopsRepeatVideosAndAreStoredInAnimatedImages)$"
  "^MovieFile\\.(RefusalsLeaveNoFileBehind|SupersampledFramesAreTheLargerDrawingScaledDown)$"
  "^MovieFile\\.TransparentBackgroundIsAlphaZeroAndTheModelOpaque$"
  "^FileExportCommand\\.(AFailedMovieSaysWhyAndLeavesNothing|CancelledHalfWayLeavesNothingAndTheNextExportWorks)$"
  "^FileExportCommand\\.GifHasEveryFrameOfTheRange$"
  "^CliGltf\\.RenderWithoutGuidesDrawsNoGridAxesBoxOrHandle$"
  "^CliSize\\.TheSameSizesAreTakenByEveryCommand$"
  "^desktop\\.(commands_test|create_text_dialog_test|file_export_test|main_window_test)$"
  "^desktop\\.(session_test|material_session_test|soak_test)$"
  # the pictures qvlogo render draws, and the browser tests that compare against them
  "^(gltf_export_files|agreement_sites|browser_gltf|browser_picture_agreement|browser_page_faults)$")

# `labels` with slow and gpu added as `test`'s name asks, into `out`.
function(qv_cost_labels test labels out)
  foreach(kind slow gpu)
    string(TOUPPER ${kind} list)
    foreach(pattern IN LISTS QV_${list}_TESTS)
      if(test MATCHES "${pattern}")
        list(APPEND labels ${kind})
        break()
      endif()
    endforeach()
  endforeach()
  set(${out} "${labels}" PARENT_SCOPE)
endfunction()

# Every test in `tests` (a list of names) gets `label` and its cost labels.
function(qv_label_tests label tests)
  foreach(test IN LISTS tests)
    qv_cost_labels("${test}" "${label}" labels)
    set_tests_properties("${test}" PROPERTIES LABELS "${labels}")
  endforeach()
endfunction()
