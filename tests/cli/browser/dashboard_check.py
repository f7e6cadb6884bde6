#!/usr/bin/env python3
"""Loads the dashboard in headless Chromium through the DevTools protocol and
prints what the page shows, one JSON line per width: the live values, the
alarm lamps, the charts drawn and whether their canvases hold pixels.

    dashboard_check.py URL WORKDIR [--screenshot FILE] [--language TAG] WIDTH...

--language sets the Accept-Language the page is asked for (default en-US).
A URL ending in #climate opens the climate page: its lines tell the months'
table, the records, the day chart and the dashboard's Today panel instead.

The event stream stays open, so --dump-dom cannot tell when the page is
ready; the page marks body[data-live] and body[data-charts] instead, and
this script waits for them. Standard library only."""
import base64, json, os, socket, struct, subprocess, sys, time, urllib.request

READY = ("(document.body.dataset.live|0)>0 && "
         "document.querySelectorAll('canvas[data-drawn]:not([data-drawn=\"0\"])').length>=5")
SUMMARY = r"""(() => {
  const canvases = Array.from(document.querySelectorAll('#dashboard canvas'));
  const inked = canvases.map(c => {
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let n = 0; for (let i = 3; i < d.length; i += 4) if (d[i] > 0) n++;
    return n;
  });
  const shown = {};
  document.querySelectorAll('[data-show]').forEach(e => shown[e.dataset.show] = e.textContent);
  return JSON.stringify({
    lang: document.documentElement.lang,
    title: document.getElementById('title').textContent,
    live: Number(document.body.dataset.live || 0),
    charts: Number(document.body.dataset.charts || 0),
    drawn: canvases.map(c => Number(c.dataset.drawn || -1)),
    inked: inked,
    shown: shown,
    direction: document.getElementById('direction').textContent,
    lamps: Array.from(document.querySelectorAll('#alarms li')).map(l => l.className),
    link: document.getElementById('link').textContent,
    readTime: document.getElementById('read-time').textContent,
    alarmsSeen: document.getElementById('alarms-seen').textContent,
    cards: document.querySelectorAll('.card').length,
    stale: document.querySelectorAll('.card.stale').length,
    staleColor: Array.from(document.querySelectorAll('.card.stale .value')).map(e => getComputedStyle(e).color),
    ticks: canvases.map(c => { const ch = Chart.getChart(c); return ch ? ch.scales.y.ticks.map(t => t.label) : []; }),
    overflow: document.documentElement.scrollWidth - window.innerWidth,
  });
})()"""

CLIMATE_READY = ("(document.body.dataset.live|0)>0 && (document.body.dataset.climate|0)>0 && "
                 "(document.body.dataset.todayShown|0)>0")
CLIMATE_SUMMARY = r"""(() => {
  const rows = (sel) => Array.from(document.querySelectorAll(sel + ' tbody tr')).map(r =>
    Array.from(r.cells).map(c => Array.from(c.childNodes).map(n => n.textContent).join(' | ')));
  const canvas = document.getElementById('chart-climate');
  const d = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  let inked = 0; for (let i = 3; i < d.length; i += 4) if (d[i] > 0) inked++;
  const today = {};
  document.querySelectorAll('[data-today]').forEach(e => today[e.dataset.today] = e.textContent);
  return JSON.stringify({
    lang: document.documentElement.lang,
    dashboardHidden: document.getElementById('dashboard').hidden,
    year: document.getElementById('climate-year').value,
    month: document.getElementById('climate-month').value,
    head: Array.from(document.querySelectorAll('#climate-months thead th')).map(e => e.textContent),
    months: rows('#climate-months'),
    records: rows('#climate-records'),
    chartDays: Number(canvas.dataset.drawn || -1),
    chartInked: inked,
    today: today,
    overflow: document.documentElement.scrollWidth - window.innerWidth,
  });
})()"""


class DevTools:
    def __init__(self, ws_url):
        rest = ws_url[len("ws://"):]
        hostport, path = rest.split("/", 1)
        host, port = hostport.split(":")
        self.sock = socket.create_connection((host, int(port)), timeout=30)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET /{path} HTTP/1.1\r\nHost: {hostport}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        reply = b""
        while b"\r\n\r\n" not in reply:
            reply += self.sock.recv(4096)
        self.buffer = reply.split(b"\r\n\r\n", 1)[1]
        self.next_id = 0

    def _read(self, n):
        while len(self.buffer) < n:
            chunk = self.sock.recv(1 << 20)
            if not chunk:
                raise EOFError("DevTools connection closed")
            self.buffer += chunk
        data, self.buffer = self.buffer[:n], self.buffer[n:]
        return data

    def _frame(self):
        message = b""
        while True:
            b0, b1 = self._read(2)
            length = b1 & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._read(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._read(8))[0]
            message += self._read(length)
            if b0 & 0x80:
                return message.decode()

    def call(self, method, **params):
        self.next_id += 1
        payload = json.dumps({"id": self.next_id, "method": method, "params": params}).encode()
        mask = os.urandom(4)
        header = bytes([0x81])
        if len(payload) < 126:
            header += bytes([0x80 | len(payload)])
        elif len(payload) < 65536:
            header += bytes([0x80 | 126]) + struct.pack(">H", len(payload))
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", len(payload))
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(header + mask + masked)
        while True:
            reply = json.loads(self._frame())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply["result"]

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        return result["result"].get("value")


def main():
    args = sys.argv[1:]
    url, workdir = args[0], args[1]
    shot = None
    if "--screenshot" in args:
        at = args.index("--screenshot")
        shot = args[at + 1]
        del args[at:at + 2]
    language = "en-US"
    if "--language" in args:
        at = args.index("--language")
        language = args[at + 1]
        del args[at:at + 2]
    widths = [int(w) for w in args[2:]]
    climate = url.endswith("#climate")
    ready, summary_js = (CLIMATE_READY, CLIMATE_SUMMARY) if climate else (READY, SUMMARY)
    browser = subprocess.Popen(
        ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
         "--remote-debugging-port=0", "--remote-debugging-address=127.0.0.1",
         f"--user-data-dir={workdir}", "--lang=en-US", "about:blank"],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        port = None
        for line in browser.stderr:
            if "DevTools listening on ws://" in line:
                port = line.split("ws://", 1)[1].split("/", 1)[0].split(":")[1]
                break
        if port is None:
            sys.exit("chromium did not start")
        pages = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        page = next(p for p in pages if p["type"] == "page")
        tools = DevTools(page["webSocketDebuggerUrl"])
        tools.call("Page.enable")
        tools.call("Network.enable")
        tools.call("Network.setExtraHTTPHeaders", headers={"Accept-Language": language})
        for width in widths:
            tools.call("Emulation.setDeviceMetricsOverride", width=width, height=900,
                       deviceScaleFactor=1, mobile=width < 500)
            tools.call("Page.navigate", url=url)
            deadline = time.monotonic() + 30
            while time.monotonic() < deadline:
                time.sleep(0.2)
                if tools.evaluate(ready):
                    break
            summary = json.loads(tools.evaluate(summary_js))
            summary["width"] = width
            print(json.dumps(summary, ensure_ascii=False), flush=True)
            if shot and width == widths[-1]:
                height = tools.evaluate("document.documentElement.scrollHeight")
                tools.call("Emulation.setDeviceMetricsOverride", width=width, height=int(height),
                           deviceScaleFactor=1, mobile=width < 500)
                time.sleep(0.5)
                image = tools.call("Page.captureScreenshot", format="png")
                with open(shot, "wb") as out:
                    out.write(base64.b64decode(image["data"]))
        tools.call("Browser.close")
        browser.wait(timeout=10)
    finally:
        if browser.poll() is None:
            browser.kill()
            browser.wait()


if __name__ == "__main__":
    main()
