// Compiles nothing of its own: the target exists to make the precompiled
// header that the other targets of its kind reuse.
