// The project commands of the main window: New, Open, Save, Save As, the
// save question and the recent projects. Their behaviour comes with the
// project file; until then each is present and does nothing.
#include "MainFrm.h"

void CMainFrame::OnProjectNew() {}

void CMainFrame::OnProjectOpen() {
    // Reads m_strOpenPath (set by the command line or a recent item) and
    // clears it; asks with a dialog when it is empty.
}

void CMainFrame::OnProjectSave() {}

void CMainFrame::OnProjectSaveAs() {}

void CMainFrame::OnRecentProject(int index) {
    static_cast<void>(index);
}

void CMainFrame::PromptSave() {
    // The save question itself comes with the project file. The flag is
    // cleared before anything is asked, so a project is asked about once.
    m_bModified = 0;
}

void CMainFrame::LoadRecentList() {
    // Reads "Rec0" to "Rec4" and puts the recent items into the Project menu.
}
