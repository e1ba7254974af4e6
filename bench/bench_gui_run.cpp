// The File metrics run of the desktop program over a large tree, headless.
//
//   QT_QPA_PLATFORM=offscreen bench_gui_run <directory>
//
// Takes every .c and .h file under the directory into one source of the
// project tree, then prints: the library's plain analysis of the same files
// (mtrc_code_Analyze and release, one after another, files already in the
// page cache), the run through the main window and the ratio of the two, the
// time to sort the resulting list by a numeric and by the text column, and
// how quickly a second File metrics stops a run (time from the press to the
// end of the run, and files analysed after the press was seen).
#include "ListViewEx.h"
#include "MainFrm.h"
#include "Platform.h"
#include "Resource.h"
#include "TreeViewEx.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidgetItem>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tarnel.h"

namespace {

// Answers every modal interaction at once, so that nothing waits.
class SilentPlatform : public CPlatform {
public:
    int MessageBox(QWidget*, const QString& text, MessageIcon, MessageButtons) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return IDOK;
    }
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&) override {
        return {};
    }
    QString ChooseDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    int DoModal(CDialog&) override { return IDCANCEL; }
    bool OpenUrl(const QUrl&) override { return false; }
};

// Processor time of the process (user and system), which other work on a
// shared machine does not inflate as it does wall time.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto secs = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return secs(usage.ru_utime) + secs(usage.ru_stime);
}

double Seconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_gui_run <directory>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Settings go to a throw-away folder, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    QApplication app(argc, argv);

    std::vector<std::string> paths;
    long long bytes = 0;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(
             argv[1], std::filesystem::directory_options::skip_permission_denied, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::string ext = it->path().extension().string();
        if (it->is_regular_file(ec) && (ext == ".c" || ext == ".h")) {
            paths.push_back(it->path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    // Read everything once so that both timings find the files in the page cache.
    std::vector<char> buffer(1 << 20);
    for (const std::string& path : paths) {
        std::ifstream in(path, std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               in.gcount() > 0) {
            bytes += in.gcount();
        }
    }
    std::printf("%zu files, %.1f MB\n", paths.size(), static_cast<double>(bytes) / 1e6);

    QElapsedTimer timer;
    timer.start();
    double cpu = CpuSeconds();
    long long lines = 0;
    for (const std::string& path : paths) {
        std::string copy = path;
        mtrc_lines* result = mtrc_code_Analyze(copy.data(), 0, 0, 0);
        if (result != nullptr) {
            lines += result->lines;
            mtrc_code_Release(result);
        }
    }
    const double plain = Seconds(timer);
    const double plainCpu = CpuSeconds() - cpu;
    std::printf("plain analysis: %.2f s wall, %.2f s processor (%lld lines)\n", plain, plainCpu,
                lines);

    SilentPlatform platform;
    CMainFrame frame(platform);
    frame.Create(QString());
    // BENCH_PUMP_MS overrides how often the run lets events through.
    if (!qEnvironmentVariableIsEmpty("BENCH_PUMP_MS")) {
        frame.m_nPumpIntervalMs = qEnvironmentVariableIntValue("BENCH_PUMP_MS");
    }
    frame.resize(1000, 700);
    frame.show();
    QApplication::processEvents();

    std::vector<FileRecord> records(paths.size());
    auto* source = new QTreeWidgetItem(QStringList(QString::fromLocal8Bit(argv[1])));
    source->setFlags(source->flags() | Qt::ItemIsUserCheckable);
    source->setCheckState(0, Qt::Checked);
    QList<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        records[i].path = paths[i].data();
        records[i].size = static_cast<int>(std::filesystem::file_size(paths[i], ec));
        records[i].next = nullptr;
        auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(paths[i])));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        CTreeViewEx::SetRecord(item, &records[i]);
        items.append(item);
    }
    source->addChildren(items);
    frame.m_pTreeView->addTopLevelItem(source);
    QApplication::processEvents();

    timer.restart();
    cpu = CpuSeconds();
    frame.OnCommand(ID_FILE_METRICS);
    const double run = Seconds(timer);
    const double runCpu = CpuSeconds() - cpu;
    std::printf("run through the window: %.2f s wall, %.2f s processor, %d rows\n", run, runCpu,
                frame.m_pListView->GetListCtrl().GetItemCount());
    std::printf("ratio to plain analysis: %.2f wall, %.2f processor\n", run / plain,
                runCpu / plainCpu);

    timer.restart();
    frame.m_pListView->SortByPosition(1);
    const double numeric = Seconds(timer);
    timer.restart();
    frame.m_pListView->SortByPosition(0);
    const double text = Seconds(timer);
    std::printf("sort %d rows: by Lines %.3f s, by File name %.3f s\n",
                frame.m_pListView->GetListCtrl().GetItemCount(), numeric, text);

    // A second File metrics half a second into a run: it is seen at the next
    // pump and the run ends after the file in progress.
    QElapsedTimer sincePress;
    int rowsAtPress = 0;
    QTimer::singleShot(500, &frame, [&] {
        rowsAtPress = frame.m_pListView->GetListCtrl().GetItemCount();
        sincePress.start();
        frame.OnCommand(ID_TB_FILE_METRICS);
    });
    frame.OnCommand(ID_FILE_METRICS);
    std::printf("stop: run ended %.1f ms after the press, %d file(s) analysed after it\n",
                static_cast<double>(sincePress.nsecsElapsed()) / 1e6,
                frame.m_pListView->GetListCtrl().GetItemCount() - rowsAtPress);

    // The tree's items point at records of this function.
    while (frame.m_pTreeView->topLevelItemCount() > 0) {
        delete frame.m_pTreeView->takeTopLevelItem(0);
    }
    return 0;
}
