#pragma once
// The signal types of the control framework. Every slot returns a long and
// takes its event by const reference; slots run in connection order and the
// last one's value is the result (which the framework ignores).
//
// The tree lives on one thread, so the signals carry no mutex of their own.
// A slot made with boost::bind from a pointer to a control is cut
// automatically when that control is destroyed (IMControl is trackable); a
// lambda that captures a control must be wrapped with TrackControl.

#include <boost/bind/bind.hpp>
#include <boost/signals2.hpp>
#include <boost/signals2/trackable.hpp>

#include "engine/gui/Events.h"

template <class Event>
using IMSignalOf = typename boost::signals2::signal_type<
    long(const Event&), boost::signals2::keywords::combiner_type<boost::signals2::last_value<long>>,
    boost::signals2::keywords::mutex_type<boost::signals2::dummy_mutex>>::type;

using IMEventSignal = IMSignalOf<IMEvent>;
using IMMouseSignal = IMSignalOf<IMMouseEvent>;
using IMKeyboardSignal = IMSignalOf<IMKeyboardEvent>;

// Emits only when a slot is connected: with no slots there is nothing to
// combine, and last_value would throw.
template <class Signal, class Event>
void EmitSignal(Signal& signal, const Event& event) {
  if (!signal.empty()) signal(event);
}

// Wraps `fn` (callable with the event) into a slot that is cut when
// `control` is destroyed, as a slot bound to the control with boost::bind
// would be.
template <class Event, class Control, class Fn>
auto TrackControl(Control* control, Fn fn) {
  return boost::bind<long>(
      [fn = std::move(fn)](Control*, const Event& e) mutable -> long { return fn(e); }, control,
      boost::placeholders::_1);
}
