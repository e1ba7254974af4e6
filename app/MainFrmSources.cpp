// The source commands of the main window: Add files, Remove files, Edit
// properties and Refresh files turn sources into files in the project tree.
// Each is present and does nothing yet.
#include "MainFrm.h"

void CMainFrame::OnAddFiles() {}

void CMainFrame::OnRemoveFiles() {}

void CMainFrame::OnEditProperties() {}

void CMainFrame::OnRefreshFiles() {}
