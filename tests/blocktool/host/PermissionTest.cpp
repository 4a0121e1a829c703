// Whether the block tool may work on a document: its permission word and,
// for XFA forms, whether the form's configuration asks for dynamic
// rendering. The documents are real PDF files written with qpdf and opened
// by the viewer.
#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/XfaForm.h"
#include "support/HostHarness.h"
#include "support/TempDir.h"

namespace {

using korvid::testing::HostHarness;
using korvid::testing::TempDir;

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

// A one-page PDF encrypted for the empty user password whose permission word
// is exactly p. qpdf's writer always grants accessibility extraction, so the
// file is assembled here; it holds no string or stream that needs
// encrypting.
void WriteEncryptedPdf(const std::string& path, std::int32_t p) {
  const std::string id = "0123456789abcdef";
  std::string o, u;
  QPDF::compute_encryption_O_U("", "owner", 2, 3, 16, p, true, id, o, u);
  const std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>",
      "<< /Filter /Standard /V 2 /R 3 /Length 128 /P " + std::to_string(p) + " /O <" + Hex(o) + "> /U <" + Hex(u) +
          "> >>",
  };
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    const std::string digits = std::to_string(offset);
    pdf += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Encrypt 4 0 R /ID [<" + Hex(id) +
         "> <" + Hex(id) + ">] >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  std::ofstream(path, std::ios::binary) << pdf;
}

// A one-page PDF written by qpdf; encrypted when asked, granting everything
// but form filling.
void WritePdf(const std::string& path, const std::function<void(QPDF&)>& addToCatalog, bool encrypt = false) {
  QPDF pdf;
  pdf.emptyPDF();
  QPDFPageDocumentHelper(pdf).addPage(
      pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 200 200] >>")), false);
  if (addToCatalog) addToCatalog(pdf);
  QPDFWriter writer(pdf, path.c_str());
  writer.setDecodeLevel(qpdf_dl_none);  // a stream with a broken filter stays as it is
  writer.setCompressStreams(true);      // the others are written compressed
  if (encrypt) {
    writer.setR4EncryptionParametersInsecure("", "owner", true, true, true, true, false, true, qpdf_r3p_full, true,
                                             true);
  }
  writer.write();
}

// An AcroForm whose XFA array is given as PDF syntax, each name /Config
// standing for a stream that holds config.
std::function<void(QPDF&)> XfaForm(const std::string& packets, const std::string& config = {}) {
  return [packets, config](QPDF& pdf) {
    QPDFObjectHandle xfa = QPDFObjectHandle::newArray();
    QPDFObjectHandle parsed = QPDFObjectHandle::parse(packets);
    for (int i = 0; i < parsed.getArrayNItems(); ++i) {
      QPDFObjectHandle item = parsed.getArrayItem(i);
      if (item.isName() && item.getName() == "/Config") {
        item = pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf, config));
      }
      xfa.appendItem(item);
    }
    QPDFObjectHandle form = QPDFObjectHandle::newDictionary();
    form.replaceKey("/Fields", QPDFObjectHandle::newArray());
    form.replaceKey("/XFA", xfa);
    pdf.getRoot().replaceKey("/AcroForm", form);
  };
}

const std::string kRequired =
    "<config><acrobat><acrobat7><dynamicRender>required</dynamicRender></acrobat7></acrobat></config>";

class PermissionTest : public ::testing::Test {
 protected:
  std::string NextPath() { return dir.File("doc" + std::to_string(++count) + ".pdf"); }
  host::PDDoc& OpenPath(const std::string& path) { return harness.Host().Documents().OpenWithoutWindow(path); }
  host::PDDoc& Open(const std::function<void(QPDF&)>& addToCatalog, bool encrypt = false) {
    const std::string path = NextPath();
    WritePdf(path, addToCatalog, encrypt);
    return OpenPath(path);
  }
  host::PDDoc& OpenWithPermissions(std::int32_t p) {
    const std::string path = NextPath();
    WriteEncryptedPdf(path, p);
    return OpenPath(path);
  }

  TempDir dir;
  int count = 0;
  HostHarness harness;
};

TEST_F(PermissionTest, PermissionWordAgainstWantedMask) {
  // Words as revision-3 files store them: unused bits set, 0x04 print,
  // 0x08 modify, 0x10 copy, 0x20 annotate, 0x100 fill forms, 0x200 extract
  // for accessibility, 0x400 assemble, 0x800 print well.
  struct Case {
    std::uint32_t word;
    unsigned long wanted;
    bool permitted;
  };
  const Case cases[] = {
      {0xFFFFFFFC, kBlockEditingPermissions, true},   // everything (the word -4)
      {0xFFFFFEFC, kBlockEditingPermissions, true},   // all but form filling: not needed here
      {0xFFFFFCFC, kBlockEditingPermissions, false},  // no accessibility extraction either
      {0xFFFFFDFC, kBlockEditingPermissions, false},  // no accessibility extraction
      {0xFFFFFFEC, kBlockEditingPermissions, false},  // no copying
      {0xFFFFFFDC, kBlockEditingPermissions, false},  // no annotating
      {0xFFFFFFF4, kBlockEditingPermissions, false},  // no modifying
      {0xFFFFFDEC, 0x28, true},                       // no copying, and copying not wanted
      {0xFFFFFFD4, 0x10, true},                       // no modifying or annotating, and neither wanted
      {0xFFFFFFDC, 0x08, false},                      // modifying wants annotating too
      {0xFFFFF0C0, 0, true},                          // nothing granted, nothing wanted
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Service.CheckPermission(&OpenWithPermissions(static_cast<std::int32_t>(c.word)), c.wanted), c.permitted)
        << std::hex << c.word << " wanted " << c.wanted;
  }
  EXPECT_TRUE(Service.CheckPermission(&Open(nullptr), kBlockEditingPermissions)) << "not encrypted";
  EXPECT_FALSE(Service.CheckPermission(nullptr, kBlockEditingPermissions));
}

TEST_F(PermissionTest, PermittedDocumentsStillPassTheDynamicFormCheck) {
  const auto requiredForm = XfaForm("[(config) /Config]", kRequired);
  EXPECT_TRUE(Service.CheckPermission(&Open(nullptr, true), kBlockEditingPermissions));
  EXPECT_FALSE(Service.CheckPermission(&Open(requiredForm, true), kBlockEditingPermissions)) << "encrypted";
  EXPECT_FALSE(Service.CheckPermission(&Open(requiredForm), kBlockEditingPermissions));
}

TEST_F(PermissionTest, DynamicFormCheck) {
  const std::string beyondCap = "<config><acrobat><acrobat7><dynamicRender>" +
                                std::string(host::xfa::kMaxConfigBytes, ' ') +
                                "required</dynamicRender></acrobat7></acrobat></config>";
  struct Case {
    const char* name;
    std::function<void(QPDF&)> catalog;
    bool mayEdit;
  };
  const Case cases[] = {
      {"no form", nullptr, true},
      {"AcroForm is not a dictionary",
       [](QPDF& pdf) { pdf.getRoot().replaceKey("/AcroForm", QPDFObjectHandle::newInteger(3)); }, true},
      {"XFA is one stream, not packets",
       [](QPDF& pdf) {
         QPDFObjectHandle form = QPDFObjectHandle::newDictionary();
         form.replaceKey("/XFA", pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf, kRequired)));
         pdf.getRoot().replaceKey("/AcroForm", form);
       },
       true},
      {"config requires dynamic rendering", XfaForm("[(preamble) /Config (config) /Config]", kRequired), false},
      {"config packet named in UTF-16", XfaForm("[<FEFF0063006F006E006600690067> /Config]", kRequired), false},
      {"dynamic rendering forbidden", XfaForm("[(config) /Config]", "<acrobat><acrobat7><dynamicRender>forbidden"
                                                                     "</dynamicRender></acrobat7></acrobat>"),
       true},
      {"required without acrobat7",
       XfaForm("[(config) /Config]", "<acrobat><dynamicRender>required</dynamicRender></acrobat>"), true},
      {"config followed by no stream", XfaForm("[(config) << >> (template) /Config]", kRequired), true},
      {"packet names that only begin config", XfaForm("[() /Config (c) /Config (conf) /Config]", kRequired), true},
      {"larger than the examined size", XfaForm("[(config) /Config]", beyondCap), true},
      {"stream that does not decode",
       [](QPDF& pdf) {
         QPDFObjectHandle stream = pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf));
         stream.replaceStreamData("not flate data", QPDFObjectHandle::newName("/FlateDecode"),
                                  QPDFObjectHandle::newNull());
         QPDFObjectHandle form = QPDFObjectHandle::parse("<< /XFA [(config) null] >>");
         form.getKey("/XFA").setArrayItem(1, stream);
         pdf.getRoot().replaceKey("/AcroForm", form);
       },
       true},
  };
  for (const Case& c : cases) {
    host::PDDoc& doc = Open(c.catalog);
    EXPECT_EQ(Service.CheckDesignerDynamicRenderState(&doc), c.mayEdit) << c.name;
  }
}

TEST_F(PermissionTest, ReadsTheWholeConfigurationHoweverSmallItsStoredLength) {
  const std::string padded = "<config><acrobat><acrobat7><dynamicRender>" + std::string(100000, ' ') +
                             "required</dynamicRender></acrobat7></acrobat></config>";
  host::PDDoc& doc = Open(XfaForm("[(config) /Config]", padded));
  const host::CosObj stream = doc.Catalog().DictGet("AcroForm").DictGet("XFA").ArrayGet(1);
  ASSERT_LT(20 * stream.StreamLength(), static_cast<std::int64_t>(padded.find("required")));
  EXPECT_FALSE(Service.CheckDesignerDynamicRenderState(&doc));
}

}  // namespace
