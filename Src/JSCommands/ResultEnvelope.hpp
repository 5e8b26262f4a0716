#pragma once

#include "JSValues.hpp"

// The uniform answers of the page's commands: a JSON envelope in a script string, or an error object.
namespace JSCommands {

// Escapes only the quote, the backslash, line feed, carriage return and tab; every other code unit
// is kept, since the page parses the envelope itself and expects no \u escapes.
GS::UniString EscapeJsonString(const GS::UniString& text);

// {"success":false,"error":"<message>"}; the message is logged at ERROR under "API" first.
GS::Ref<JS::Base> MakeErrorResult(const GS::UniString& message);
// {"success":true,"message":"<message>"}; logs nothing.
GS::Ref<JS::Base> MakeSuccessResult(const GS::UniString& message);
// An object {success: 0, error: message}; the message is logged at ERROR under "API" first.
GS::Ref<JS::Base> MakeErrorObject(const GS::UniString& message);
// The same object without logging, for commands that log under their own category or not at all.
GS::Ref<JS::Base> ErrorObject(const GS::UniString& message);

} // namespace JSCommands
