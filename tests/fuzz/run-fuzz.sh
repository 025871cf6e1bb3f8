#!/usr/bin/env bash
# Builds the fuzz target of the engine's XML parser with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for the given number of seconds (60 by default) over the
# committed seed corpus. New inputs go to a work folder, never into the committed corpus; a failing
# input is left in build-fuzz/ and fails this script.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-60}
build="$top/build-fuzz"
mkdir -p "$build/corpus" "$build/artifacts"

engine="$top/KorvexEngine/Src"
clang++ -std=c++17 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$engine" -I"$top/KorvexEngine/Core/Hdr" -I"$top/Platform/include" \
  "$top/tests/fuzz/XMLParserFuzz.cpp" \
  "$engine/XMLParser.cpp" "$engine/XMLNode.cpp" "$engine/XMLAttribute.cpp" "$engine/XMLOutput.cpp" \
  "$engine/XMLException.cpp" "$engine/KorvexCoreException.cpp" "$engine/SRethrow.cpp" \
  -o "$build/XMLParserFuzz"

"$build/XMLParserFuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
  "$build/corpus" "$top/tests/fuzz/corpus"
