// How many more files this process may open: each encoder holds some while it runs.
#pragma once

// The descriptors this process may still open: its limit (RLIMIT_NOFILE) less those open now.
int FreeDescriptors();

// True when count more descriptors can be opened now; nothing stays open.
bool DescriptorsToSpare(int count);
