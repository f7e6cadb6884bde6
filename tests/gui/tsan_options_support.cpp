// A ThreadSanitizer build of the GUI tests reads tsan_qt.supp: what it cannot
// see inside the uninstrumented Qt libraries. die_after_fork=0: QProcess
// starts the desktop program from a vfork-like child that shares our memory,
// which ThreadSanitizer would otherwise take for a forked process that later
// starts threads. (TSAN_OPTIONS still overrides.) Other builds never call this.
extern "C" __attribute__((used, visibility("default"))) const char* __tsan_default_options() {
  return "die_after_fork=0 suppressions=" SKYVANE_SOURCE_DIR "/tests/gui/tsan_qt.supp";
}
