#include "Dialog.h"

#include "Platform.h"

CDialog::CDialog(CPlatform& platform, QWidget* parent) : QDialog(parent), m_platform(platform) {}

int CDialog::DoModal() {
    return m_platform.DoModal(*this);
}
