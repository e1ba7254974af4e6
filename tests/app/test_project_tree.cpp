// The project tree: the texts of file items in the three modes, their images,
// the text-mode commands, Auto sort files and the check boxes.
#include "ProjectFixture.h"

#include <QMenu>

namespace {

struct TextCase {
    const char* name;
    const char* file;
    const char* source;
    int mode;
    const char* expected;
};

const TextCase kTextCases[] = {
    {"dir_full_path", "/src/a.cpp", "/src/", 0, "/src/a.cpp"},
    {"dir_path", "/src/a.cpp", "/src/", 1, "/a.cpp"},
    {"dir_file_name", "/src/a.cpp", "/src/", 2, "a.cpp"},
    {"dir_path_of_a_subdirectory", "/src/util/a.cpp", "/src/", 1, "/util/a.cpp"},
    {"project_path", "/proj/src/a.cpp", "/proj/p.dsp", 1, "/src/a.cpp"},
    {"project_path_of_header", "/proj/sub/x.h", "/proj/p.dsp", 1, "/sub/x.h"},
    // A file outside the project file's folder is cut at the same place.
    {"project_path_outside_its_folder", "/other/b.cpp", "/proj/p.dsp", 1, "r/b.cpp"},
    {"project_without_separator", "/proj/a.cpp", "p.dsp", 1, "/proj/a.cpp"},
    {"file_name_without_separator", "a.cpp", "/src/", 2, "a.cpp"},
    {"unknown_mode_is_full_path", "/src/a.cpp", "/src/", 7, "/src/a.cpp"},
};

struct ImageCase {
    const char* text;
    int image;
};

const ImageCase kImageCases[] = {
    {"/src/README", ImageOther}, {"/src/x.c", ImageC},     {"/src/x.hpp", ImageHpp},
    {"/src/X.HPP", ImageHpp},    {"/src/x.Cpp", ImageCpp}, {"x.h", ImageH},
    {"m.bas", ImageBas},         {"F.frm", ImageFrm},      {"/src/x.cc", ImageOther},
    {"/src/c", ImageOther},      {"", ImageOther},
};

} // namespace

TEST(ProjectTreeText, FileItemTextInEveryMode) {
    for (const TextCase& c : kTextCases) {
        EXPECT_EQ(CTreeViewEx::FileItemText(QString::fromLatin1(c.file),
                                            QString::fromLatin1(c.source), c.mode),
                  QString::fromLatin1(c.expected))
            << c.name;
    }
}

TEST(ProjectTreeText, ImagesByExtensionWhateverTheCase) {
    for (const ImageCase& c : kImageCases)
        EXPECT_EQ(CTreeViewEx::FileImage(QString::fromLatin1(c.text)), c.image) << c.text;
    EXPECT_EQ(CTreeViewEx::SourceImage(QStringLiteral("/src/")), ImageDirectory);
    EXPECT_EQ(CTreeViewEx::SourceImage(QStringLiteral("/proj/p.dsp")), ImageProjectFile);
}

TEST(ProjectTreeText, NineImagesThatAllLoad) {
    CTreeViewEx tree;
    for (int i = 0; i < kImageCount; ++i)
        EXPECT_FALSE(tree.Image(i).pixmap(16, 16).isNull()) << i;
}

using ProjectTree = ProjectTest;

TEST_F(ProjectTree, TextModesRebuildAllFilesAndKeepSourcePaths) {
    Write(QStringLiteral("src/a.cpp"));
    Write(QStringLiteral("src/util/b.h"));
    m_frame->OnCommand(ID_PRJ_SHOW_FULL_PATH);
    const QString src = Dir(QStringLiteral("src")) + QLatin1Char('/');
    Add({src, QStringLiteral("CPP;H")});
    ASSERT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_EQ(Source(0)->text(0), src);

    m_frame->OnCommand(ID_PRJ_SHOW_PATH);
    EXPECT_TRUE(m_frame->IsMenuItemChecked(ID_PRJ_SHOW_PATH));
    EXPECT_FALSE(m_frame->IsMenuItemChecked(ID_PRJ_SHOW_FULL_PATH));
    QStringList texts = FileTexts(0);
    texts.sort();
    EXPECT_EQ(texts, QStringList({QStringLiteral("/a.cpp"), QStringLiteral("/util/b.h")}));

    m_frame->OnCommand(ID_PRJ_SHOW_FILE_NAME);
    EXPECT_EQ(m_frame->m_nShowType, 2);
    // A file inserted while mode 2 is on gets its full path back too.
    Write(QStringLiteral("other/c.cpp"));
    Add({Dir(QStringLiteral("other")), QStringLiteral("CPP")});
    EXPECT_EQ(FileTexts(1), QStringList(QStringLiteral("c.cpp")));
    EXPECT_EQ(CTreeViewEx::ImageOf(Source(1)->child(0)), ImageCpp);

    m_frame->OnCommand(ID_PRJ_SHOW_FULL_PATH);
    texts = FileTexts(0);
    texts.sort();
    EXPECT_EQ(texts,
              QStringList({src + QStringLiteral("a.cpp"), src + QStringLiteral("util/b.h")}));
    EXPECT_EQ(FileTexts(1), QStringList(m_dir.filePath(QStringLiteral("other/c.cpp"))));
    EXPECT_EQ(Source(0)->text(0), src);
    // Choosing the mode already set rebuilds all the same; nothing is modified by it.
    m_frame->m_bModified = 0;
    m_frame->OnCommand(ID_PRJ_SHOW_FULL_PATH);
    EXPECT_EQ(m_frame->m_bModified, 0);
}

TEST_F(ProjectTree, AutoSortPlacesOnlyNewFiles) {
    // The directory search lists files in the order the file system gives;
    // a refresh with auto sort on has to put them in alphabetical order.
    for (const char* name : {"m.cpp", "B.cpp", "z.cpp", "a.cpp"})
        Write(QStringLiteral("src/") + QLatin1String(name));
    m_frame->OnCommand(ID_PRJ_SHOW_FILE_NAME);
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    const QStringList unsorted = FileTexts(0);

    m_frame->OnCommand(ID_PRJ_AUTO_SORT);
    EXPECT_TRUE(m_frame->IsMenuItemChecked(ID_PRJ_AUTO_SORT));
    EXPECT_EQ(FileTexts(0), unsorted) << "existing files are not moved";

    // The next search inserts in sorted order, letter case ignored.
    Select(Source(0));
    m_frame->OnCommand(ID_REFRESH_FILES);
    EXPECT_EQ(FileTexts(0), QStringList({QStringLiteral("a.cpp"), QStringLiteral("B.cpp"),
                                         QStringLiteral("m.cpp"), QStringLiteral("z.cpp")}));

    m_frame->OnCommand(ID_PRJ_AUTO_SORT);
    EXPECT_FALSE(m_frame->IsMenuItemChecked(ID_PRJ_AUTO_SORT));
    m_frame->OnCommand(ID_REFRESH_FILES);
    EXPECT_EQ(FileTexts(0), unsorted) << "without auto sort, the search's order";
}

TEST_F(ProjectTree, SourceAndFileBoxesChangeAlone) {
    Write(QStringLiteral("src/a.cpp"));
    Write(QStringLiteral("src/b.cpp"));
    Add({Dir(QStringLiteral("src")), QStringLiteral("CPP")});
    QTreeWidgetItem* source = Source(0);
    ASSERT_EQ(source->childCount(), 2);
    EXPECT_EQ(CTreeViewEx::ImageOf(source), ImageDirectory);
    EXPECT_TRUE(CTreeViewEx::IsChecked(source));

    m_frame->m_bModified = 0;
    source->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(CTreeViewEx::IsChecked(source));
    EXPECT_TRUE(CTreeViewEx::IsChecked(source->child(0)));
    EXPECT_TRUE(CTreeViewEx::IsChecked(source->child(1)));
    source->child(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(CTreeViewEx::IsChecked(source));
    EXPECT_TRUE(CTreeViewEx::IsChecked(source->child(1)));
    EXPECT_EQ(m_frame->m_bModified, 0) << "a check box does not modify the project";

    // An item without a check box counts as unchecked.
    QTreeWidgetItem plain(QStringList(QStringLiteral("x")));
    EXPECT_FALSE(CTreeViewEx::IsChecked(&plain));
}
