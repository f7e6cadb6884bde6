// A ThreadSanitizer build of the GUI tests reads tsan_qt.supp: what it cannot
// see inside the uninstrumented Qt libraries. (TSAN_OPTIONS still overrides.)
// Other builds never call this.
extern "C" __attribute__((used, visibility("default"))) const char* __tsan_default_options() {
  return "suppressions=" SKYVANE_SOURCE_DIR "/tests/gui/tsan_qt.supp";
}
