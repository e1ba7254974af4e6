// The function and class reports of the main window for the file selected
// in the project tree. Present and doing nothing yet.
#include "MainFrm.h"

void CMainFrame::OnFunctionMetrics() {}

void CMainFrame::OnClassMetrics() {}
