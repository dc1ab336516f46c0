#include "app/PreviewList.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

FolderEntry entry(const char* key)
{
    FolderEntry e;
    e.key = QString::fromUtf8(key);
    e.col[FolderEntry::ColOldName] = e.key;
    return e;
}

TEST(PreviewListBatch, AppendsNewKeysInOneInsertAndSkipsDuplicates)
{
    PreviewList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Warning);
    ASSERT_TRUE(list.append(entry("/a/")));
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);

    std::vector<FolderEntry> batch;
    for (const char* key : {"/b/", "/a/", "/c/", "/b/", "/d/"})
        batch.push_back(entry(key));
    EXPECT_EQ(list.appendBatch(std::move(batch)), 3);

    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted.first().at(1).toInt(), 1);
    EXPECT_EQ(inserted.first().at(2).toInt(), 3);
    ASSERT_EQ(list.size(), 4);
    const char* expected[] = {"/a/", "/b/", "/c/", "/d/"};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(list.entry(row).key, QString::fromUtf8(expected[row]));
        EXPECT_EQ(list.rowOfKey(list.entry(row).key), row);
    }
    EXPECT_EQ(list.appendBatch({}), 0);
    EXPECT_EQ(inserted.size(), 1);
}

} // namespace
