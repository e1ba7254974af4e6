// The file metrics run of the main window: measures every ticked file,
// fills the metrics list and writes the totals. A second File metrics while
// a run is active stops it. Present and doing nothing yet.
#include "MainFrm.h"

void CMainFrame::OnFileMetrics() {}
