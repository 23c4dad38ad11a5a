#!/usr/bin/env bash
# Makes the tests' throw-away certificate authority and server certificates
# in DIR (once; kept while they are valid for a day more):
#   ca.pem                 the tests' own CA, to be trusted in the Wine prefix only
#   localhost.pem/.key     for localhost and 127.0.0.1, from that CA
#   expired.pem            for localhost, from that CA, valid only in January 2020
#   otherhost.pem          for other.invalid, from that CA
#   unknownca.pem          for localhost, from a CA nobody trusts
# All server certificates share localhost.key.
#   tls_certificates.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
if [ -f unknownca.pem ] && openssl x509 -in ca.pem -noout -checkend 86400 >/dev/null 2>&1 &&
   openssl x509 -in localhost.pem -noout -checkend 86400 >/dev/null 2>&1; then
  exit 0
fi
rm -rf db && mkdir db && : >db/index && echo 1000 >db/serial
cat >ca.cnf <<'CNF'
[ca]
default_ca = test
[test]
database = db/index
new_certs_dir = db
serial = db/serial
default_md = sha256
policy = any
copy_extensions = copy
unique_subject = no
[any]
commonName = supplied
CNF

authority() {  # NAME SUBJECT
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 3650 -subj "/CN=$2" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
}
server() {  # NAME CA HOST_NAMES DATES...
  local name=$1 ca=$2 names=$3
  shift 3
  openssl req -new -key localhost.key -out "$name.csr" -subj "/CN=${names%%,*}" \
    -addext "subjectAltName=$(echo "$names" | sed 's/\([^,]*\)/DNS:\1/g; s/DNS:127.0.0.1/IP:127.0.0.1/')" \
    -addext "extendedKeyUsage=serverAuth" -addext "keyUsage=critical,digitalSignature,keyEncipherment" 2>/dev/null
  openssl ca -batch -config ca.cnf -cert "$ca.pem" -keyfile "$ca.key" -in "$name.csr" -out "$name.pem" -notext \
    "$@" 2>/dev/null
  rm -f "$name.csr"
}

authority ca "Quonel test CA"
authority otherca "Unknown test CA"
openssl genrsa -out localhost.key 2048 2>/dev/null
server localhost ca "localhost,127.0.0.1" -days 30
server expired ca "localhost" -startdate 20200101000000Z -enddate 20200201000000Z
server otherhost ca "other.invalid" -days 30
server unknownca otherca "localhost" -days 30
rm -f otherca.key
echo "certificates in $dir"
