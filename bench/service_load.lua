-- The mixed reads the game sends most, in turn: member count, account top ten, a profile, a world
-- list and its count, the statistics, a place by rating and a player's own records.
-- bench/service_load.sh checks that each of them is answered with a record before the run.
requests = {
  {"/account", "label1=0"},
  {"/account", "crdkespkon=0"},
  {"/account", "nick=Bench1&&labelinforead=0"},
  {"/worldtop", "gid=36"},
  {"/worldtop", "rgid=36"},
  {"/statistics", "gid=36"},
  {"/account", "crdkesprating=12.5"},
  {"/worldtop", "gid=36&nick=Bench3&city=Moscow"},
}
local headers = {["Content-Type"] = "application/x-www-form-urlencoded", ["User-Agent"] = "QuorbHelvinta"}
local next_request = 0

request = function()
  next_request = next_request % #requests + 1
  local r = requests[next_request]
  return wrk.format("POST", r[1], headers, r[2])
end

done = function(summary, latency, _)
  io.write(string.format("requests/s %.0f  p50 %.2f ms  p99 %.2f ms  failed %d\n",
    summary.requests / (summary.duration / 1e6), latency:percentile(50) / 1000, latency:percentile(99) / 1000,
    summary.errors.connect + summary.errors.read + summary.errors.write + summary.errors.status +
    summary.errors.timeout))
end
