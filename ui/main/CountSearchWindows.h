#pragma once

// The number of loaded windows whose tag is exactly "Busca": the open search windows.
int CountSearchWindows();
