#pragma once

namespace results {

// Keeps the XML library initialised for as long as one session lives. The
// library must be initialised once before any of its objects exist and
// terminated only after the last of them is gone, while workbooks come and go
// in sequence (a new pupil after Retry) and may briefly overlap. Each
// workbook therefore holds a session as its first member: the first session
// initialises the library, the last one to end terminates it, and a later
// session initialises it afresh.
//
// Not copyable: every session is one counted use. All sessions belong to one
// thread at a time; the count itself is guarded, but the library's objects
// are not shared between threads.
class XercesSession {
 public:
  XercesSession();
  ~XercesSession();
  XercesSession(const XercesSession&) = delete;
  XercesSession& operator=(const XercesSession&) = delete;
};

}  // namespace results
