// A transfer module that lacks three of its four entry points.
extern "C" __attribute__((visibility("default"))) int FindHandle(int, int) { return 7; }
