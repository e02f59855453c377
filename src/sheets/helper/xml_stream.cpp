#include "xml_stream.h"

#include <expat.h>

#include <memory>
#include <new>
#include <optional>

#include "read_failure.h"
#include "xml_part.h"
#include "zip_package.h"

namespace veltrix::sheetreader {

namespace {

struct ParserFreer {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

class Reading {
 public:
  explicit Reading(XmlEvents& events) : events_(events) {
    // The parts are UTF-8 whatever their declaration says, as XmlPart reads them.
    parser_.reset(XML_ParserCreate("UTF-8"));
    if (!parser_) throw std::bad_alloc();
    XML_SetUserData(parser_.get(), this);
    XML_SetStartDoctypeDeclHandler(parser_.get(), &Reading::onDoctype);
    XML_SetElementHandler(parser_.get(), &Reading::onStart, &Reading::onEnd);
    XML_SetCharacterDataHandler(parser_.get(), &Reading::onText);
  }

  void feed(std::string_view bytes, bool last) {
    // expat parses an unfinished token again from its start with each piece it is given, so
    // pieces are held back until they are at least as long as what is still unfinished: a long
    // token then costs its length, not its length squared.
    waiting_ += bytes;
    if (!last && (waiting_.size() < unfinished_ || waiting_.empty())) return;
    const XML_Status status = XML_Parse(parser_.get(), waiting_.data(), int(waiting_.size()),
                                        last ? XML_TRUE : XML_FALSE);
    waiting_.clear();
    if (failure_) throw *failure_;
    if (status != XML_STATUS_OK) {
      if (XML_GetErrorCode(parser_.get()) == XML_ERROR_NO_MEMORY) throw std::bad_alloc();
      fail(sheetstream::kExitDamaged);
    }
    int offset = 0, size = 0;
    unfinished_ =
        XML_GetInputContext(parser_.get(), &offset, &size) ? std::size_t(size - offset) : 0;
    if (unfinished_ > kMaxXmlToken) fail(sheetstream::kExitTooLarge);
  }

 private:
  template <typename Event>
  static void guarded(void* self, Event&& event) {
    auto& reading = *static_cast<Reading*>(self);
    if (reading.failure_) return;
    // expat is C: nothing may be thrown through it.
    try {
      event(reading.events_);
    } catch (const ReadFailure& failure) {
      reading.stop(failure);
    } catch (const std::bad_alloc&) {
      reading.stop(ReadFailure{sheetstream::kExitTooLarge});
    }
  }

  void stop(ReadFailure failure) {
    failure_ = failure;
    XML_StopParser(parser_.get(), XML_FALSE);
  }

  static void XMLCALL onDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*,
                                int) {
    guarded(self, [](XmlEvents&) { fail(sheetstream::kExitDamaged); });
  }
  static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    guarded(self, [&](XmlEvents& events) {
      // Each open element costs expat memory, and no workbook part nests deeply.
      if (++static_cast<Reading*>(self)->depth_ > kMaxXmlDepth) fail(sheetstream::kExitDamaged);
      events.start(localName(name), attributes);
    });
  }
  static void XMLCALL onEnd(void* self, const XML_Char*) {
    guarded(self, [&](XmlEvents& events) {
      --static_cast<Reading*>(self)->depth_;
      events.end();
    });
  }
  static void XMLCALL onText(void* self, const XML_Char* characters, int length) {
    guarded(self, [&](XmlEvents& events) {
      events.text(std::string_view(characters, std::size_t(length)));
    });
  }

  XmlEvents& events_;
  std::unique_ptr<XML_ParserStruct, ParserFreer> parser_;
  std::optional<ReadFailure> failure_;
  std::string waiting_;
  std::size_t unfinished_ = 0;
  int depth_ = 0;
};

}  // namespace

void streamXmlPart(const ZipPackage& package, const std::string& part, XmlEvents& events) {
  Reading reading(events);
  package.stream(part, [&reading](std::string_view piece) { reading.feed(piece, false); });
  reading.feed({}, true);
}

const char* attributeValue(const char* const* attributes, std::string_view name) {
  for (; attributes[0] != nullptr; attributes += 2) {
    if (name == attributes[0]) return attributes[1];
  }
  return nullptr;
}

}  // namespace veltrix::sheetreader
