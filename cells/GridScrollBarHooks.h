// Makes grids in skin style 1 show CSkinScrollBar windows as their own scroll
// bars. Call it once at start-up, before the first grid window is created.
#pragma once

void InstallGridScrollBarHooks();
