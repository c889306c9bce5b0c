#pragma once

// Extra entry point of libq7-virtual-mouse.so, beyond the hidapi API it serves.

#ifdef __cplusplus
extern "C" {
#endif

// Drops the running virtual device. The next hidapi call reads Q7_VIRTUAL_* afresh and
// loads the state file again, as a new process would; handles opened before fail from now
// on and reads blocked on them return -1.
__attribute__((visibility("default"))) void q7vm_reset_for_tests(void);

#ifdef __cplusplus
}
#endif
