#include "framework/ui/ModalSink.h"

#include <utility>

namespace {

ModalSink& Sink() {
  static ModalSink sink;
  return sink;
}

}  // namespace

ModalSink AfxSetModalSink(ModalSink sink) {
  ModalSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

INT_PTR AfxRunModal(ModalCall& call) {
  if (Sink()) return Sink()(call);
  return call.show ? call.show() : IDCANCEL;
}
