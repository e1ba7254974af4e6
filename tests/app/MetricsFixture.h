// Shared by the tests of the report and output commands: a main window on
// the scripted platform with empty settings, a temporary folder for source
// files, and metrics list rows filled by hand with records that point at
// those files, as the file metrics run would fill them.
#pragma once

#include "ListViewEx.h"
#include "MainFrm.h"
#include "ScriptedPlatform.h"
#include "SettingsFixture.h"
#include "TotalsView.h"
#include "tarnel.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstring>
#include <memory>
#include <vector>

class MetricsFixture : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_frame = std::make_unique<CMainFrame>(m_platform);
        m_frame->Create(QString());
        m_frame->m_pTotalsView->OnInitialUpdate();
        // The columns a shown list gets at its first paint.
        m_frame->m_pListView->RebuildColumns();
    }

    void TearDown() override {
        m_frame.reset();
        for (FileRecord* record : m_records)
            mtrc_file_ReleaseRecord(record);
        m_records.clear();
    }

    // Writes `bytes` to `name` in the temporary folder; returns its full path.
    QString WriteSource(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // A record as the searches make it (released at the end of the test).
    FileRecord* NewRecord(const QString& path) {
        const QByteArray bytes = QFile::encodeName(path);
        auto* record = new FileRecord{new char[bytes.size() + 1], 0, nullptr};
        std::memcpy(record->path, bytes.constData(), bytes.size() + 1);
        m_records.push_back(record);
        return record;
    }

    // Appends a metrics list row: `cells` by display position, the record of
    // `path` (none when empty) as its data. Returns the row.
    int AddRow(const QStringList& cells, const QString& path = QString()) {
        CListCtrl& rows = List().GetListCtrl();
        void* data = path.isEmpty() ? nullptr : NewRecord(path);
        const int row = rows.InsertItem(rows.GetItemCount(), cells.value(0), data);
        for (int k = 1; k < cells.size(); ++k)
            rows.SetItemText(row, k, cells[k]);
        return row;
    }

    CListViewEx& List() { return *m_frame->m_pListView; }
    CTotalsView& Pane() { return *m_frame->m_pTotalsView; }
    CListCtrl& PaneRows() { return Pane().GetList()->GetListCtrl(); }

    // The rows of a list as "cell|cell|..." lines.
    static QStringList RowTexts(const CListCtrl& rows, int columns) {
        QStringList out;
        for (int r = 0; r < rows.GetItemCount(); ++r) {
            QStringList cells;
            for (int k = 0; k < columns; ++k)
                cells << rows.GetItemText(r, k);
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    CScriptedPlatform m_platform;
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    std::vector<FileRecord*> m_records;
};
