#pragma once
// Resource numbers shared by tessarin.rc and the code that loads them.
#define IDI_TESSARIN 1
