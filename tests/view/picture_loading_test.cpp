#include "view/picture_loading.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

QString u(const char* utf8) {
  return QString::fromUtf8(utf8);
}

TEST(PictureExtension, OnlyTheFivePictureTypesByTheirLowerCasedExtension) {
  const struct {
    const char* path;
    bool accepted;
  } cases[] = {
      {"/home/a/PHOTO.JPG", true}, {"/home/a/b.jpeg", true},
      {"/x/y.Png", true},          {"/x/y.gif", true},
      {"/x/y.bmp", true},          {"/home/a/photo.jpe", false},
      {"/home/a/photo", false},    {"/home/a.jpg/photo", false},
      {"/x/y.jpg.txt", false},     {"/x/y.", false},
  };
  for (const auto& c : cases) EXPECT_EQ(hasPictureExtension(u(c.path)), c.accepted) << c.path;
}

TEST(DropDecision, OnePictureIsTakenAnythingElseRefusedWithItsMessage) {
  EXPECT_EQ(decideDrop({u("/a/B.PNG")}).path, u("/a/B.PNG"));
  EXPECT_TRUE(decideDrop({u("/a/B.PNG")}).refusal.isEmpty());
  EXPECT_EQ(decideDrop({u("/a/1.png"), u("/a/2.png"), u("/a/3.txt")}).refusal,
            u("您同时拖放了3个文件，请每次只拖放一个文件。"));
  EXPECT_EQ(decideDrop({u("/a/folder")}).refusal,
            u("本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。"));
  EXPECT_TRUE(decideDrop({u("/a/folder")}).path.isEmpty());
}

}  // namespace
}  // namespace veltrix
