// The release number of both programs, in their version resources and in the packages.
#pragma once
#define KEYLOOM_VERSION_NUMBERS 1, 0, 0, 0
#define KEYLOOM_VERSION_TEXT "1.0.0"
