#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/HostError.h"
#include "support/TempDir.h"
#include "viewer/core/FileSystemServices.h"

namespace {

using host::ASFileKind;
using host::ASPathName;
using korvid::testing::TempDir;

void Touch(const std::string& path, const std::string& text = "x") { std::ofstream(path) << text; }

class FileSystemServicesTest : public ::testing::Test {
 protected:
  TempDir dir;
  viewer::FileSystemServices fs{0x60000, dir.File("help")};
  ASPathName Path(const std::string& name) { return ASPathName(dir.File(name)); }
};

TEST_F(FileSystemServicesTest, NamesAndParents) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"/a/b/c.pdf", "c.pdf", "/a/b"}, {"/a/b/", "b", "/a"}, {"/a", "a", "/"},
      {"c.pdf", "c.pdf", "."},         {"/", "", ""},
  };
  for (const auto& [path, name, parent] : cases) {
    EXPECT_EQ(fs.FileName(ASPathName(path)), name) << path;
    EXPECT_EQ(fs.Parent(ASPathName(path)).Str(), parent) << path;
  }
  EXPECT_EQ(fs.DisplayString(ASPathName()), "");
  EXPECT_EQ(fs.Join(ASPathName("/a"), "b.pdf").Str(), "/a/b.pdf");
  EXPECT_THROW(fs.PathFromText("HD:Jobs", "HFS"), host::HostError);
}

TEST_F(FileSystemServicesTest, FolderListingIsSortedByBytesWithKinds) {
  Touch(dir.File("b.pdf"));
  Touch(dir.File("B.pdf"));
  Touch(dir.File("a.pdf"));
  std::filesystem::create_directory(dir.File("sub"));
  const auto items = fs.ListFolder(ASPathName(dir.Path().string()));
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(fs.FileName(items[0].path), "B.pdf");
  EXPECT_EQ(fs.FileName(items[1].path), "a.pdf");
  EXPECT_EQ(fs.FileName(items[2].path), "b.pdf");
  EXPECT_EQ(items[3].kind, ASFileKind::Folder);
  EXPECT_EQ(items[0].kind, ASFileKind::File);
  EXPECT_THROW(fs.ListFolder(Path("missing")), host::HostError);
}

TEST_F(FileSystemServicesTest, RelativePathsUseDotSlashAndParentLevels) {
  std::filesystem::create_directories(dir.File("docs/jobs"));
  std::filesystem::create_directories(dir.File("images"));
  Touch(dir.File("docs/jobs/x.tif"));
  Touch(dir.File("images/y.tif"));
  const ASPathName docs = Path("docs");
  EXPECT_EQ(fs.RelativePath(Path("docs/jobs/x.tif"), docs), "./jobs/x.tif");
  EXPECT_EQ(fs.RelativePath(Path("images/y.tif"), docs), "../images/y.tif");
  EXPECT_EQ(fs.RelativePath(Path("images/y.tif"), Path("docs/jobs")), "../../images/y.tif");
  EXPECT_EQ(fs.ResolveRelativePath(docs, "../images/y.tif").Str(), dir.File("images/y.tif"));
  EXPECT_EQ(fs.ResolveRelativePath(docs, "/abs/z.tif").Str(), "/abs/z.tif");
  // Another file system has no relative form.
  EXPECT_EQ(fs.RelativePath(ASPathName("/proc/self/status"), docs), std::nullopt);
}

TEST_F(FileSystemServicesTest, FilesAreTheSameByDeviceAndInode) {
  Touch(dir.File("a.pdf"), "data");
  std::filesystem::create_symlink(dir.File("a.pdf"), dir.File("link.pdf"));
  std::filesystem::create_directory(dir.File("sub"));
  EXPECT_TRUE(fs.SameFile(Path("a.pdf"), Path("link.pdf")));
  EXPECT_TRUE(fs.SameFile(Path("a.pdf"), Path("sub/../a.pdf")));
  EXPECT_FALSE(fs.SameFile(Path("a.pdf"), Path("missing.pdf")));
  const auto props = fs.ItemProperties(Path("link.pdf"));
  EXPECT_EQ(props.kind, ASFileKind::File);
  EXPECT_EQ(props.size, 4u);
  EXPECT_EQ(fs.ItemProperties(Path("missing.pdf")).kind, ASFileKind::Missing);
}

TEST_F(FileSystemServicesTest, ReadAndDeleteReportFailures) {
  Touch(dir.File("a.txt"), "abc");
  EXPECT_EQ(fs.ReadFile(Path("a.txt")), "abc");
  fs.DeleteFile(Path("a.txt"));
  EXPECT_EQ(fs.ItemProperties(Path("a.txt")).kind, ASFileKind::Missing);
  try {
    fs.ReadFile(Path("a.txt"));
    FAIL();
  } catch (const host::HostError& e) {
    EXPECT_EQ(e.Code(), host::kErrFileNotFound);
  }
  EXPECT_THROW(fs.DeleteFile(Path("a.txt")), host::HostError);
}

TEST_F(FileSystemServicesTest, HelpFolderIsSpecialFolderOneEight) {
  EXPECT_THROW(fs.SpecialFolder(1, 8), host::HostError) << "no folder yet";
  std::filesystem::create_directory(dir.File("help"));
  EXPECT_EQ(fs.SpecialFolder(1, 8).Str(), dir.File("help"));
  EXPECT_THROW(fs.SpecialFolder(2, 8), host::HostError);
}

}  // namespace
