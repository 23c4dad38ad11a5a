#!/usr/bin/env bash
# Adds the tests' own certificate authority (made by tests/support/
# tls_certificates.sh) to the trusted roots of the project's Wine prefix,
# with our trustroot tool and the platform's certificate store: never to the
# machine's own trust store. Run it under scripts/with-display.sh, as the
# test set-up and the benchmark do.
#   scripts/with-display.sh scripts/trust_test_ca.sh CA.pem [TRUSTROOT.exe]
set -euo pipefail
source "$(dirname "$0")/env.sh"
ca=$1
tool=${2:-$QUONEL_BUILD/win/tools/trustroot/trustroot.exe}
[ -f "$tool" ] || { echo "trust_test_ca: $tool is not built" >&2; exit 1; }
wine "$tool" add "Z:${ca//\//\\}" </dev/null
