#include "app/results/XercesSession.h"

#include <cassert>
#include <mutex>
#include <xercesc/util/PlatformUtils.hpp>

namespace results {

namespace {

std::mutex sessionMutex;
int liveSessions = 0;

}  // namespace

XercesSession::XercesSession() {
  const std::lock_guard guard(sessionMutex);
  // The library's messages come in English; en_US is also its default.
  if (liveSessions == 0) xercesc::XMLPlatformUtils::Initialize("en_US");
  ++liveSessions;
}

XercesSession::~XercesSession() {
  const std::lock_guard guard(sessionMutex);
  assert(liveSessions > 0);
  if (--liveSessions == 0) xercesc::XMLPlatformUtils::Terminate();
}

}  // namespace results
