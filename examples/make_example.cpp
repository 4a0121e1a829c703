// Writes examples/example.pdf: three pages of text and graphics, form fields
// of every kind (text, check box, radio buttons, choice, push button) and
// blocks stored in the pages' private data the way the block tool stores
// them. Run by the build (target make-example); the file in the repository
// is its output: make-example examples/example.pdf
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <iostream>
#include <string>
#include <vector>

namespace {

using Handle = QPDFObjectHandle;

// Fixed, so that the file comes out the same at every run.
const char* kStamp = "D:20240301120000";

Handle Name(const std::string& name) { return Handle::newName("/" + name); }
Handle Text(const std::string& text) { return Handle::newUnicodeString(text); }
Handle Real(double value, int places) { return Handle::newReal(value, places, false); }

Handle Numbers(std::initializer_list<double> values) {
  Handle array = Handle::newArray();
  for (double v : values) {
    if (v == static_cast<long long>(v)) {
      array.appendItem(Handle::newInteger(static_cast<long long>(v)));
    } else {
      array.appendItem(Real(v, 2));
    }
  }
  return array;
}

Handle Dict(std::initializer_list<std::pair<std::string, Handle>> entries) {
  Handle dict = Handle::newDictionary();
  for (const auto& [key, value] : entries) dict.replaceKey("/" + key, value);
  return dict;
}

class ExampleWriter {
 public:
  ExampleWriter() {
    pdf_.emptyPDF();
    helvetica_ = pdf_.makeIndirectObject(Dict({{"Type", Name("Font")},
                                               {"Subtype", Name("Type1")},
                                               {"BaseFont", Name("Helvetica")},
                                               {"Encoding", Name("WinAnsiEncoding")}}));
    zapf_ = pdf_.makeIndirectObject(
        Dict({{"Type", Name("Font")}, {"Subtype", Name("Type1")}, {"BaseFont", Name("ZapfDingbats")}}));
  }

  void Write(const std::string& path) {
    AddPages();
    AddForm();
    AddBlocks();
    QPDFWriter writer(pdf_, path.c_str());
    writer.setDeterministicID(true);
    writer.write();
  }

 private:
  Handle Fonts() { return Dict({{"Font", Dict({{"Helv", helvetica_}, {"ZaDb", zapf_}})}}); }

  Handle FormXObject(double width, double height, const std::string& content) {
    Handle stream = Handle::newStream(&pdf_, content);
    stream.getDict().replaceKey("/Type", Name("XObject"));
    stream.getDict().replaceKey("/Subtype", Name("Form"));
    stream.getDict().replaceKey("/BBox", Numbers({0, 0, width, height}));
    stream.getDict().replaceKey("/Resources", Fonts());
    return stream;
  }

  void AddPage(const std::string& content, int rotate) {
    Handle page = pdf_.makeIndirectObject(Dict({{"Type", Name("Page")},
                                                {"MediaBox", Numbers({0, 0, 612, 792})},
                                                {"Contents", Handle::newStream(&pdf_, content)},
                                                {"Resources", Fonts()}}));
    if (rotate) page.replaceKey("/Rotate", Handle::newInteger(rotate));
    QPDFPageDocumentHelper(pdf_).addPage(page, false);
    pages_.push_back(page);
  }

  void AddPages() {
    AddPage(
        "BT /Helv 24 Tf 72 700 Td (Korvid example: a form) Tj ET\n"
        "BT /Helv 12 Tf 72 600 Td (Name) Tj 0 -50 Td (Subscribe) Tj 0 -50 Td (Size) Tj 0 -50 Td (Country) Tj ET\n"
        "0.5 w 72 680 m 540 680 l S\n",
        0);
    AddPage(
        "BT /Helv 24 Tf 72 700 Td (Page two: graphics) Tj ET\n"
        "0.2 0.4 0.8 rg 72 400 200 150 re f\n"
        "0 0 0 RG 1 w 300 400 m 540 400 l S\n"
        "BT /Helv 12 Tf 300 500 Td (A box and a rule for blocks by click.) Tj ET\n",
        90);
    AddPage("BT /Helv 24 Tf 72 700 Td (Page three) Tj ET\nBT /Helv 12 Tf 72 650 Td (The last page.) Tj ET\n", 0);
  }

  Handle Widget(const Handle& page, std::initializer_list<double> rect) {
    return Dict({{"Type", Name("Annot")}, {"Subtype", Name("Widget")}, {"Rect", Numbers(rect)},
                 {"P", page}, {"F", Handle::newInteger(4)}});
  }

  void AddField(Handle field) {
    field = pdf_.makeIndirectObject(field);
    fields_.appendItem(field);
    if (field.hasKey("/Subtype")) annotations_[0].appendItem(field);
  }

  void AddForm() {
    annotations_ = {Handle::newArray()};
    fields_ = Handle::newArray();
    const Handle& page = pages_[0];

    Handle name = Widget(page, {180, 590, 400, 610});
    name.replaceKey("/FT", Name("Tx"));
    name.replaceKey("/T", Text("name"));
    name.replaceKey("/TU", Text("Your name"));
    name.replaceKey("/V", Text("Jane Doe"));
    name.replaceKey("/DA", Handle::newString("/Helv 12 Tf 0 g"));
    name.replaceKey("/Q", Handle::newInteger(0));
    name.replaceKey("/AP", Dict({{"N", FormXObject(220, 20, "/Tx BMC BT /Helv 12 Tf 0 g 2 6 Td (Jane Doe) Tj ET EMC")}}));
    AddField(name);

    Handle check = Widget(page, {180, 540, 196, 556});
    check.replaceKey("/FT", Name("Btn"));
    check.replaceKey("/T", Text("subscribe"));
    check.replaceKey("/V", Name("Yes"));
    check.replaceKey("/AS", Name("Yes"));
    check.replaceKey("/DA", Handle::newString("/ZaDb 0 Tf 0 g"));
    check.replaceKey("/MK", Dict({{"CA", Handle::newString("4")}}));
    check.replaceKey("/AP", Dict({{"N", Dict({{"Yes", FormXObject(16, 16, "BT /ZaDb 12 Tf 2 3 Td (4) Tj ET")},
                                              {"Off", FormXObject(16, 16, "")}})}}));
    AddField(check);

    Handle size = pdf_.makeIndirectObject(Dict({{"FT", Name("Btn")},
                                                {"T", Text("size")},
                                                {"Ff", Handle::newInteger(49152)},  // radio, no toggle to off
                                                {"V", Name("M")},
                                                {"Kids", Handle::newArray()}}));
    int x = 180;
    for (const char* state : {"S", "M", "L"}) {
      Handle kid = Widget(page, {static_cast<double>(x), 490, static_cast<double>(x + 16), 506});
      kid.replaceKey("/Parent", size);
      kid.replaceKey("/AS", Name(state == std::string("M") ? "M" : "Off"));
      kid.replaceKey("/MK", Dict({{"CA", Handle::newString("l")}}));
      kid.replaceKey("/AP", Dict({{"N", Dict({{state, FormXObject(16, 16, "BT /ZaDb 12 Tf 2 3 Td (l) Tj ET")},
                                              {"Off", FormXObject(16, 16, "")}})}}));
      kid = pdf_.makeIndirectObject(kid);
      size.getKey("/Kids").appendItem(kid);
      annotations_[0].appendItem(kid);
      x += 40;
    }
    fields_.appendItem(size);

    Handle country = Widget(page, {180, 440, 330, 460});
    country.replaceKey("/FT", Name("Ch"));
    country.replaceKey("/T", Text("country"));
    country.replaceKey("/Ff", Handle::newInteger(131072));  // combo box
    Handle options = Handle::newArray();
    for (const char* option : {"France", "Germany", "Japan"}) options.appendItem(Text(option));
    country.replaceKey("/Opt", options);
    country.replaceKey("/V", Text("Germany"));
    country.replaceKey("/DA", Handle::newString("/Helv 12 Tf 0 0 1 rg"));
    country.replaceKey("/AP", Dict({{"N", FormXObject(150, 20, "/Tx BMC BT /Helv 12 Tf 0 0 1 rg 2 6 Td (Germany) Tj ET EMC")}}));
    AddField(country);

    Handle reset = Widget(page, {180, 380, 260, 404});
    reset.replaceKey("/FT", Name("Btn"));
    reset.replaceKey("/T", Text("reset"));
    reset.replaceKey("/Ff", Handle::newInteger(65536));  // push button
    reset.replaceKey("/DA", Handle::newString("/Helv 12 Tf 0 g"));
    reset.replaceKey("/MK", Dict({{"CA", Text("Reset")}, {"BG", Numbers({0.9})}}));
    reset.replaceKey("/A", Dict({{"S", Name("ResetForm")}}));
    reset.replaceKey("/AP", Dict({{"N", FormXObject(80, 24, "0.9 g 0 0 80 24 re f BT /Helv 12 Tf 0 g 22 8 Td (Reset) Tj ET")}}));
    AddField(reset);

    pages_[0].replaceKey("/Annots", annotations_[0]);
    pdf_.getRoot().replaceKey("/AcroForm", Dict({{"Fields", fields_},
                                                 {"DA", Handle::newString("/Helv 0 Tf 0 g")},
                                                 {"DR", Fonts()}}));
  }

  // Blocks as the block tool stores them: PieceInfo -> Korvid -> Private ->
  // Blocks -> one indirect dictionary per block, keyed by its name.
  Handle Block(int id, const std::string& name, const std::string& subtype, std::initializer_list<double> rect) {
    return pdf_.makeIndirectObject(Dict({{"ID", Handle::newInteger(id)},
                                         {"Name", Name(name)},
                                         {"Type", Name("Block")},
                                         {"Subtype", Name(subtype)},
                                         {"Rect", Numbers(rect)},
                                         {"fitmethod", Name("auto")}}));
  }

  void StoreBlocks(Handle& page, std::initializer_list<std::pair<std::string, Handle>> blocks) {
    Handle stored = Dict(blocks);
    Handle korvid = pdf_.makeIndirectObject(
        Dict({{"LastModified", Handle::newString(kStamp)},
              {"Private", Dict({{"Version", Real(7.0, 1)}, {"PluginVersion", Handle::newString("3.4")},
                                {"Blocks", stored}})}}));
    page.replaceKey("/PieceInfo", Dict({{"Korvid", korvid}}));
    page.replaceKey("/LastModified", Handle::newString(kStamp));
  }

  void AddBlocks() {
    Handle title = Block(1, "Title", "Text", {72, 690, 540, 730});
    title.replaceKey("/fontname", Text("Helvetica-Bold"));
    title.replaceKey("/fontsize", Handle::newInteger(24));
    title.replaceKey("/Description", Text("The heading of the form"));
    Handle signature = Block(2, "Signature", "Image", {360, 360, 540, 420});
    signature.replaceKey("/dpi", Numbers({300}));
    StoreBlocks(pages_[0], {{"Title", title}, {"Signature", signature}});

    Handle artwork = Block(1, "Artwork", "PDF", {72, 400, 272, 550});
    artwork.replaceKey("/defaultpdfpage", Handle::newInteger(1));
    StoreBlocks(pages_[1], {{"Artwork", artwork}});
  }

  QPDF pdf_;
  Handle helvetica_;
  Handle zapf_;
  std::vector<Handle> pages_;
  std::vector<Handle> annotations_;
  Handle fields_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-example OUTPUT.pdf\n";
    return 2;
  }
  try {
    ExampleWriter().Write(argv[1]);
  } catch (const std::exception& e) {
    std::cerr << "make-example: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
