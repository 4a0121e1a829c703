// Paths of default files: absolute, relative to the document, or bare names,
// on a system where "/" is the only separator.
#include <filesystem>
#include <fstream>

#include "PropagationFixture.h"
#include "blocktool/collections/RelativePath.h"

namespace korvid::testing {
namespace {

namespace fs = std::filesystem;
using RelativePathTest = PropagationTest;

TEST_F(RelativePathTest, TellsTheFormsOfAPathApart) {
  const CRelativePath paths(host::ASPathName("/Jobs/2004/doc.pdf"));
  struct Case {
    std::string path;
    bool full;
    bool sameRelative;
    std::string name;
  };
  const std::vector<Case> cases = {
      {"logo.tif", false, false, "logo.tif"},
      {"/images/logo.tif", true, false, "logo.tif"},
      {"./logo.tif", false, true, "logo.tif"},
      {"./img/logo.tif", false, false, "logo.tif"},
      {"./", false, false, ""},
      {"../images/logo.tif", false, false, "logo.tif"},
      // ":" is an ordinary character of a file name here.
      {".:logo.tif", false, false, ".:logo.tif"},
      {"HD:images:logo.tif", false, false, "HD:images:logo.tif"},
      {"", true, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(paths.IsFullPath(c.path), c.full) << c.path;
    EXPECT_EQ(paths.IsSameRelativePath(c.path), c.sameRelative) << c.path;
    EXPECT_EQ(paths.GetFileNameOnly(c.path), c.name) << c.path;
  }
  EXPECT_EQ(paths.GetRelativeFileName("/Jobs/images/logo.tif"), "./logo.tif");
  std::string unchanged = "../a/b:c.tif";
  paths.UnifySlashes(unchanged);
  EXPECT_EQ(unchanged, "../a/b:c.tif");
}

TEST_F(RelativePathTest, SplitsAtSlashesOnly) {
  const CRelativePath paths(host::ASPathName("/Jobs/2004/doc.pdf"));
  EXPECT_EQ(paths.DocumentFolders(), (std::vector<std::string>{"", "Jobs", "2004"}));
  std::vector<std::string> components;
  std::string last;
  paths.ParsePath("../images:x/a.tif", components, last);
  EXPECT_EQ(components, (std::vector<std::string>{"..", "images:x"}));
  EXPECT_EQ(last, "a.tif");
  paths.ParsePath("a.tif", components, last);
  EXPECT_EQ(components, (std::vector<std::string>{"a.tif"}));
  EXPECT_EQ(last, "a.tif");
  paths.ParsePath("", components, last);
  EXPECT_TRUE(components.empty());
}

TEST_F(RelativePathTest, RebuildsAnAbsolutePathFromTheDocumentsFolders) {
  const CRelativePath paths(host::ASPathName("/Jobs/2004/doc.pdf"));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"../../images/a.tif", "/images/a.tif"},
      {"../images/a.tif", "/Jobs/images/a.tif"},
      // A current-folder component stays a folder of that name.
      {"./a.tif", "/Jobs/2004/./a.tif"},
      {"a.tif", "/Jobs/2004/a.tif"},
      {"", ""},
  };
  for (const auto& [relative, absolute] : cases) EXPECT_EQ(paths.RelativePathBackToAbsolute(relative), absolute) << relative;
  EXPECT_EQ(CRelativePath(host::ASPathName("/doc.pdf")).RelativePathBackToAbsolute("a.tif"), "");
}

TEST_F(RelativePathTest, ConvertsBetweenAbsoluteAndRelativeAgainstTheDocumentFolder) {
  const fs::path jobs = folder_.Path() / "jobs";
  fs::create_directories(jobs / "2004");
  fs::create_directories(jobs / "images");
  const CRelativePath paths(host::ASPathName((jobs / "2004" / "doc.pdf").string()));
  const std::string logo = (jobs / "images" / "logo.tif").string();
  EXPECT_EQ(paths.AbsoluteToRelativePath(logo), "../images/logo.tif");
  EXPECT_EQ(paths.AbsoluteToRelativePath((jobs / "2004" / "logo.tif").string()), "./logo.tif");
  EXPECT_EQ(paths.RelativeToAbsolutePath("../images/logo.tif"), logo);
  EXPECT_EQ(paths.RelativeToAbsolutePath("./logo.tif"), (jobs / "2004" / "logo.tif").string());
  // Another file system has no relative form.
  EXPECT_EQ(paths.AbsoluteToRelativePath("/proc/version"), "");
}

TEST_F(RelativePathTest, SameVolumeMeansTheSameFileSystem) {
  const CRelativePath paths(host::ASPathName(folder_.File("doc.pdf")));
  EXPECT_TRUE(paths.IsSameFolder(""));
  EXPECT_TRUE(paths.IsSameFolder(folder_.File("images/not-yet-there.tif")));
  EXPECT_TRUE(paths.IsSameFolder("./logo.tif"));
  // The same folder names on another file system do not make it the same.
  EXPECT_FALSE(paths.IsSameFolder("/proc" + folder_.Path().string() + "/logo.tif"));
  EXPECT_FALSE(paths.IsSameFolder("/proc/version"));
  // Without a document file nothing is on its volume.
  EXPECT_FALSE(CRelativePath(host::ASPathName()).IsSameFolder("/proc/version"));
}

}  // namespace
}  // namespace korvid::testing
