#!/usr/bin/env bash
# Two meters on the network, each sent to a broker through dist/orvel-mqtt
# (orvel-cli monitor --json into mosquitto_pub -l), the broker Mosquitto of
# its own on a free port of the loopback address, a subscriber reading both
# streams. One meter hangs up (its status goes offline from the pipe's end),
# the other pipe is killed outright (offline from the broker's will); a late
# subscriber finds both statuses and each meter's last reading kept.
#   check_mqtt.sh ORVEL_CLI SOURCE_DIR
set -uo pipefail
cli=$1
bridge=$2/dist/orvel-mqtt
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -- "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  for f in "$work"/*.txt "$work"/*.log; do [ -f "$f" ] && { echo "--- $f"; cat "$f"; } >&2; done
  exit 1
}
for tool in mosquitto mosquitto_pub mosquitto_sub; do
  command -v "$tool" >/dev/null || fail "$tool is missing (./test installs mosquitto and mosquitto-clients)"
done
# Waits (a generous limit, for a loaded machine) until the command succeeds.
await() {
  local what=$1 until=$((SECONDS + 60))
  shift
  until "$@"; do
    [ $SECONDS -lt $until ] || fail "no $what"
    sleep 0.05
  done
}
count() { grep -c -- "$2" "$1" 2>/dev/null; }

# The broker: a port someone holds makes it exit at once, and another is tried.
for _ in $(seq 20); do
  port=$((20000 + RANDOM % 30000))
  printf 'listener %d 127.0.0.1\nallow_anonymous true\npersistence false\n' "$port" >"$work/broker.conf"
  mosquitto -c "$work/broker.conf" >"$work/broker.log" 2>&1 &
  broker=$!
  await "broker start" grep -qE 'running|Error' "$work/broker.log"
  grep -q running "$work/broker.log" && break
  wait "$broker"
  broker=
done
[ -n "$broker" ] || fail "no free port for the broker"
pids+=("$broker")
mqtt=(-h 127.0.0.1 -p "$port")

stdbuf -oL mosquitto_sub "${mqtt[@]}" -d -v -t 'orvel/#' >"$work/sub.txt" 2>&1 &
pids+=($!)
await "subscription" grep -q SUBACK "$work/sub.txt"

# Two meters served on the loopback address, each showing one value.
declare -A address simulator
bridges=()
for meter in volts ohms; do
  [ $meter = volts ] && echo "1 1.234 DC V" >"$work/$meter.scenario" || echo "1 4.700 ohm k" >"$work/$meter.scenario"
  exec {out}< <(exec "$cli" simulate --listen 127.0.0.1:0 --period 100 --scenario "$work/$meter.scenario")
  simulator[$meter]=$!
  pids+=($!)
  read -r -t 20 -u "$out" line || fail "the $meter meter did not start"
  address[$meter]=$line
done

for meter in volts ohms; do
  ORVEL_CLI=$cli setsid "$bridge" "$meter" "${address[$meter]}" "${mqtt[@]}" >"$work/$meter.log" 2>&1 &
  bridges[${#bridges[@]}]=$!
  pids+=("-$!")
done
threeReadings() { [ "$(count "$work/sub.txt" "^orvel/$1/reading ")" -ge 3 ]; }
for meter in volts ohms; do
  await "three readings of $meter" threeReadings $meter
done
grep "^orvel/volts/reading " "$work/sub.txt" | grep -vq '"value":1.234,"display":"1.234","prefix":"","unit":"V"' &&
  fail "a reading of volts with another value"
grep "^orvel/ohms/reading " "$work/sub.txt" | grep -vq '"value":4700,"display":"4.700","prefix":"K"' &&
  fail "a reading of ohms with another value"
grep -qx "orvel/volts/status online" "$work/sub.txt" || fail "volts never online"

# volts: the meter hangs up, the pipe ends and says so; ohms: the pipe dies at once.
kill "${simulator[volts]}"
{
  kill -KILL -- "-${bridges[1]}"
  wait "${bridges[1]}"
} 2>/dev/null
await "offline from the pipe's end" grep -qx "orvel/volts/status offline" "$work/sub.txt"
await "offline from the will" grep -qx "orvel/ohms/status offline" "$work/sub.txt"

# What a subscriber coming later is given: each meter's status and last reading.
mosquitto_sub "${mqtt[@]}" -v -t 'orvel/+/status' -t 'orvel/+/reading' --retained-only -W 20 -C 4 >"$work/late.txt" ||
  fail "the late subscriber got less than four kept messages"
grep -qx "orvel/volts/status offline" "$work/late.txt" || fail "volts' status not kept"
grep -qx "orvel/ohms/status offline" "$work/late.txt" || fail "ohms' status not kept"
grep -q '^orvel/volts/reading {.*"value":1.234,' "$work/late.txt" || fail "volts' last reading not kept"
grep -q '^orvel/ohms/reading {.*"value":4700,' "$work/late.txt" || fail "ohms' last reading not kept"
echo "MQTT OK: $(count "$work/sub.txt" '/reading ') readings of two meters through a broker on port $port"
