// A private Xvfb on a free display, for the browsers that need a screen:
// Firefox gets no WebGL headless without a GPU, and MiniBrowser has no
// headless mode at all.

import { spawn } from "node:child_process";

export async function startXvfb(width = 2400, height = 1600) {
  const server = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", `${width}x${height}x24`,
                                "-noreset", "-nolisten", "tcp"],
                       { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  const display = await new Promise((resolve, reject) => {
    let number = "";
    const timer = setTimeout(() => reject(new Error("Xvfb did not report a display")), 20000);
    server.on("exit", () => reject(new Error("Xvfb exited at start")));
    // The number and the newline come separately.
    server.stdio[3].on("data", (chunk) => {
      number += chunk;
      if (number.endsWith("\n")) {
        clearTimeout(timer);
        resolve(`:${number.trim()}`);
      }
    });
  });
  return {
    display,
    stop() {
      server.kill();
      server.stdio[3].destroy();
    },
  };
}
