#pragma once

#include "GSRoot/Array.hpp"
#include "GSRoot/Definitions.hpp"
#include "GSRoot/Exceptions.hpp"
#include "GSRoot/Guid.hpp"
#include "GSRoot/HashTable.hpp"
#include "GSRoot/Lock.hpp"
#include "GSRoot/MemoryHandles.hpp"
#include "GSRoot/Ref.hpp"
#include "GSRoot/UniString.hpp"
