#pragma once
// Resource identifiers shared by the resource script and the Win32 shell.

#define IDI_TAVRIN 101
