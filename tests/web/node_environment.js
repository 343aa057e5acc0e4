// Under node, a test program sees the environment it was started with (emscripten
// gives a program only a few defaults of its own): ZELKOR_STORM_SEQUENCES and the like.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  if (typeof process === 'object' && process.env) Object.assign(ENV, process.env);
});
