#!/usr/bin/env bash
# Authenticode-signs the programs of a release folder with osslsigncode,
# before its manifest is made (signing changes the bytes the manifest's
# digests cover), and checks every signature against the certificate.
#   scripts/sign_release.sh CERT.pem KEY.pem FOLDER...   sign every .exe and .dll in place
#   scripts/sign_release.sh --test-certificate DIR      make DIR/cert.pem and DIR/key.pem,
#                                                       a self-signed code-signing pair for tests
set -euo pipefail

if [ "${1:-}" = --test-certificate ]; then
  dir=$2
  mkdir -p "$dir"
  # Private key readable by its owner only from the start.
  (umask 077 && openssl req -x509 -newkey rsa:2048 -nodes -keyout "$dir/key.pem" -out "$dir/cert.pem" -days 30 \
    -subj "/CN=Quonel Test Publisher" -addext "extendedKeyUsage=codeSigning" \
    -addext "keyUsage=critical,digitalSignature" -addext "basicConstraints=critical,CA:FALSE" 2>/dev/null)
  echo "sign_release: test certificate $dir/cert.pem"
  exit 0
fi

[ $# -ge 3 ] || { sed -n '2,9p' "$0" >&2; exit 2; }
cert=$1 key=$2
shift 2
count=0
while IFS= read -r -d '' program; do
  # Only a program image (it starts with "MZ") can carry an Authenticode signature.
  if [ "$(head -c 2 "$program")" != MZ ]; then
    echo "sign_release: $program is not a program image; left unsigned"
    continue
  fi
  osslsigncode sign -certs "$cert" -key "$key" -h sha256 -n "Quonel加速器" -in "$program" -out "$program.signed" \
    >/dev/null
  # The last-write time is the release date the manifest tool reads: keep it.
  touch -r "$program" "$program.signed"
  mv "$program.signed" "$program"
  osslsigncode verify -CAfile "$cert" -in "$program" >/dev/null ||
    { echo "sign_release: the signature of $program does not verify" >&2; exit 1; }
  count=$((count + 1))
done < <(find "$@" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
echo "sign_release: signed and verified $count programs"
