// Defaults of the sanitizer runtimes, linked into every fuzz target so
// that a plain run fails on any report without environment settings. Settings given in
// ASAN_OPTIONS, UBSAN_OPTIONS or LSAN_OPTIONS still take precedence.

extern "C" {

const char* __asan_default_options()
{
    // Dynamic TLS tracking is off: the leak checker's walk of it crashes at exit once a
    // plugin with thread-local data has come and gone (seen with glibc 2.36).
    return "detect_leaks=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:"
           "check_initialization_order=1:intercept_tls_get_addr=0";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

} // extern "C"
