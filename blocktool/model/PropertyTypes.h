// Classes, mode bits and value types of block properties.
#pragma once

#include <cstdint>

// Which kind of block a property belongs to (bit values).
using PropertyClass = std::int32_t;
inline constexpr PropertyClass PropGeneral = 0;
inline constexpr PropertyClass PropText = 0x1;
inline constexpr PropertyClass PropTextflow = 0x10;
inline constexpr PropertyClass PropRulerTab = 0x20;
inline constexpr PropertyClass PropInternal = 0x40;
inline constexpr PropertyClass PropImage = 0x100;
inline constexpr PropertyClass PropPDF = 0x200;
inline constexpr PropertyClass PropImagePDF = PropImage | PropPDF;
inline constexpr PropertyClass PropCustom = 0x400;
// What the class query reports for an internal property.
inline constexpr PropertyClass PropInternalReported = 0x1000;
// The class bits that decide which blocks a property is shown and stored for.
inline constexpr PropertyClass PropKindBits = PropText | PropTextflow | PropRulerTab | PropImage | PropPDF;

// Mode bits of a property.
using PropertyMode = std::uint32_t;
namespace mode {
inline constexpr PropertyMode kBoolean = 0x1;
inline constexpr PropertyMode kClosedList = 0x2;
inline constexpr PropertyMode kOpenList = 0x4;
inline constexpr PropertyMode kEditorDialog = 0x8;
inline constexpr PropertyMode kReadOnly = 0x20;
inline constexpr PropertyMode kInternal = 0x40;
inline constexpr PropertyMode kIdentity = 0x80;
inline constexpr PropertyMode kColor = 0x200;
inline constexpr PropertyMode kFilePath = 0x400;
inline constexpr PropertyMode kName = 0x1000;
inline constexpr PropertyMode kNumber = 0x2000;
inline constexpr PropertyMode kNameOrNumber = 0x3000;
inline constexpr PropertyMode kArray = 0x4000;
inline constexpr PropertyMode kCosObject = 0x8000;
inline constexpr PropertyMode kFixedCount = 0x100000;
inline constexpr PropertyMode kBoundedCount = 0x200000;
inline constexpr PropertyMode kPercentage = 0x400000;
inline constexpr PropertyMode kGroupEditable = 0x01000000;
inline constexpr PropertyMode kController = 0x02000000;
inline constexpr PropertyMode kRequired = 0x10000000;
inline constexpr PropertyMode kEveryTab = 0x20000000;
inline constexpr PropertyMode kNotListed = 0x40000000;
}  // namespace mode

// Value type: the mode bits that decide parsing and the PDF form.
using PropertyPDFType = std::uint32_t;
inline constexpr PropertyPDFType kPDFTypeMask =
    mode::kName | mode::kNumber | mode::kCosObject | mode::kColor | mode::kArray;
inline constexpr PropertyPDFType PDFTypeString = 0;
inline constexpr PropertyPDFType PDFTypeName = mode::kName;
inline constexpr PropertyPDFType PDFTypeNumber = mode::kNumber;
inline constexpr PropertyPDFType PDFTypeNameOrNumber = mode::kNameOrNumber;
inline constexpr PropertyPDFType PDFTypeColor = mode::kColor;
inline constexpr PropertyPDFType PDFTypeCosObject = mode::kCosObject;
inline constexpr PropertyPDFType PDFTypeArray = mode::kArray;

// Dependency modes: 0 and 2 count, 1 and 3 do not.
inline constexpr int kDependCounts = 0;
inline constexpr int kDependHidden = 1;
inline constexpr int kDependCountsFlow = 2;
inline constexpr int kDependHiddenFlow = 3;

// Resource strings with a role in the model.
namespace str {
inline constexpr int kTrue = 54;
inline constexpr int kFalse = 16;
inline constexpr int kBlock = 5;
inline constexpr int kFirstChoice = 3;
inline constexpr int kFitMethodDefault = 28;
inline constexpr int kRulerTabMethod = 40;
inline constexpr int kTextSubtype = 1173;
inline constexpr int kImageSubtype = 1074;
inline constexpr int kPDFSubtype = 1110;
inline constexpr int kCustomDescription = 1037;
inline constexpr int kTabRowName = 1121;
inline constexpr int kTabRowDescription = 1122;
inline constexpr int kTypeSequence = 1126;
inline constexpr int kTypePDFName = 1127;
inline constexpr int kTypeNumber = 1128;
inline constexpr int kTypeText = 1129;
inline constexpr int kValueRefused = 1083;
inline constexpr int kNameExists = 1082;
inline constexpr int kNameCharacters = 1018;
}  // namespace str
