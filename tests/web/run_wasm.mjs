// Runs argument lists through the web page's module (its startLumo, in
// Node, on one module instance) and prints what each run gave, for the
// comparison with the native program.
//   node run_wasm.mjs SITE/lumo.js < cases.json > results.json
// cases.json: [{"args": [...], "files": {"NAME": "base64"}}, ...]
// results.json: [{"status": N, "stdout": "base64", "stderr": "base64",
//                 "files": {"NAME": "base64"}}, ...]
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';

// The page's script is a classic one, which Node loads as CommonJS.
const site = resolve(process.argv[2]);
const { startLumo } = createRequire(import.meta.url)(site);

const b64 = (bytes) => Buffer.from(bytes).toString('base64');
const cases = JSON.parse(readFileSync(0, 'utf8'));
const lumo = await startLumo();
const results = cases.map(({ args, files = {} }) => {
  const inputs = Object.fromEntries(
      Object.entries(files).map(([name, data]) => [name, Buffer.from(data, 'base64')]));
  const r = lumo.run(args, inputs);
  const written = Object.fromEntries(Object.entries(r.files).map(([n, d]) => [n, b64(d)]));
  return { status: r.status, stdout: b64(r.stdout), stderr: b64(r.stderr), files: written };
});
process.stdout.write(JSON.stringify(results));
// emscripten leaves each run's status as Node's exit code.
process.exitCode = 0;
