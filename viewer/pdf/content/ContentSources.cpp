#include "viewer/pdf/content/ContentSources.h"

#include <optional>

#include "viewer/pdf/cos/CappedPipeline.h"

namespace viewer::pdf {
namespace {

// Decoded content beyond this is not interpreted (a few kilobytes of
// compressed data can inflate to any size).
constexpr std::size_t kMaxContentBytes = std::size_t{256} << 20;

bool IsWhite(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }

// The decoded streams joined as qpdf joins a page's streams: a newline
// between two streams unless the first already ends in white space.
std::optional<std::string> Decode(std::vector<QPDFObjectHandle>& streams) {
  std::string joined;
  for (auto& stream : streams) {
    CappedPipeline sink(kMaxContentBytes - joined.size());
    bool filtered = false;
    if (!stream.pipeStreamData(&sink, &filtered, 0, qpdf_dl_specialized, true, false) || !filtered ||
        sink.ReachedCap()) {
      return std::nullopt;
    }
    if (!joined.empty() && !IsWhite(joined.back())) joined += '\n';
    joined += sink.Take();
  }
  return joined;
}

}  // namespace

ContentSourceRef ContentSources::Page(QPDFObjectHandle page) {
  QPDFObjectHandle contents = page.getKey("/Contents");
  std::vector<QPDFObjectHandle> streams;
  if (contents.isStream()) {
    streams.push_back(contents);
  } else if (contents.isArray()) {
    for (auto& item : contents.aitems()) {
      if (item.isStream()) streams.push_back(item);
    }
  }
  return Add(ContentSource::Kind::Page, page, std::move(streams));
}

ContentSourceRef ContentSources::Form(QPDFObjectHandle form) {
  const QPDFObjGen id = form.getObjGen();
  if (auto found = forms_.find(id); found != forms_.end()) return found->second;
  ContentSourceRef source = Add(ContentSource::Kind::Form, form, {form});
  forms_.emplace(id, source);
  return source;
}

ContentSourceRef ContentSources::Add(ContentSource::Kind kind, QPDFObjectHandle owner,
                                     std::vector<QPDFObjectHandle> streams) {
  std::optional<std::string> bytes;
  try {
    bytes = Decode(streams);
  } catch (const std::exception&) {
    bytes.reset();
  }
  std::vector<ContentOp> ops;
  if (bytes) ops = parser_->Parse(*bytes);
  auto source = std::make_shared<ContentSource>(kind, std::move(owner), bytes.value_or(std::string()), std::move(ops),
                                                bytes.has_value());
  all_.push_back(source);
  return source;
}

}  // namespace viewer::pdf
