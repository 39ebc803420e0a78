// The machine the Windows screenshot tour shows: a few documents in C:\Docs, two items hidden
// already, and a password set.
#pragma once

void PrepareSampleMachine();
