// The text output of the main window: saves the metrics list and the totals
// pane's text as a tab-separated text file. Present and doing nothing yet.
#include "MainFrm.h"

void CMainFrame::OnOutputTextFile() {}
