// The toolkit on the page. Emscripten's GLUT (library_glut.js) keeps the window,
// the callbacks, the keys and the mouse; this library (linked with --js-library,
// after it) replaces the few calls where it differs from the desktop's toolkit in
// what the program relies on:
//
// - The window is the page. The canvas fills the browser's window; the page sets
//   its size and tells the program (web_resize, page_calls.cpp). So
//   glutInitWindowSize, glutReshapeWindow and glutFullScreen change nothing (no
//   window of another size can be had, and full screen needs a gesture of the
//   user's: the page's F1 and button), and glutMainLoop delivers the first reshape
//   with the page's size. Emscripten's glutReshapeWindow would call the reshape
//   callback at once, which calls glutReshapeWindow again, without end.
// - The idle function runs, the redisplay it asks for is drawn at once, and the
//   next call comes after the wait it asked for (toolkit_wait_after_step), on a
//   timer: the desktop sleeps inside its idle function, which here would hold the
//   browser's only thread. glutIdleFunc(NULL) stops the calls. A page may pace
//   the steps by a clock of its own (Module.pacer: wait(asked) gives the wait
//   instead of the one asked for, draw() whether to draw this step's picture; a
//   step whose picture would come late is stepped, printed, and not drawn), and
//   is told when the idle function changes (Module.idleChanged(running)).
// - Keys arrive as the characters they type (the event's key, not its keyCode),
//   so '+', capitals and punctuation arrive as on the desktop on any layout.
// - exit() ends the program for good: the page is told (Module.onExit), the
//   toolkit's handlers and timers run nothing more, and the stack unwinds quietly.
//
// Assumes one window and emscripten 3.1.6's library_glut.js: its GLUT object's
// handlers and fields are used by name. Times are in milliseconds.
mergeInto(LibraryManager.library, {
  $Toolkit__deps: ['$GLUT'],
  $Toolkit: {
    timer: null,      // the pending call of the idle function
    inStep: false,    // inside the idle function
    redisplay: false, // a redisplay was asked for inside it
    wait: 0,          // the wait it asked for before the next call
    ended: false,

    // The event's character as the program's keyboard callback takes it; null
    // for keys that type none (the special keys come by keyCode, as before).
    asciiKey: function(event) {
      if (event['ctrlKey'] || event['altKey'] || event['metaKey']) return null;
      var key = event['key'];
      if (key.length == 1) return key.charCodeAt(0) < 128 ? key.charCodeAt(0) : null;
      switch (key) {
        case 'Escape': return 27;
        case 'Enter': return 13;
        case 'Tab': return 9;
      }
      return null;
    },

    handlers: ['onKeydown', 'onKeyup', 'onMousemove', 'onMouseButtonDown', 'onMouseButtonUp', 'onMouseWheel'],

    step: function() {
      Toolkit.timer = null;
      Toolkit.inStep = true;
      Toolkit.redisplay = false;
      Toolkit.wait = 0;
      try {
        {{{ makeDynCall('v', 'GLUT.idleFunc') }}}();
      } finally {
        Toolkit.inStep = false;
      }
      var pacer = Module['pacer'];
      if (Toolkit.redisplay && GLUT.displayFunc) {
        Toolkit.redisplay = false;
        if (!pacer || pacer['draw']()) {{{ makeDynCall('v', 'GLUT.displayFunc') }}}();
      }
      if (GLUT.idleFunc) Toolkit.schedule(pacer ? pacer['wait'](Toolkit.wait) : Toolkit.wait);
    },

    schedule: function(wait) {
      Toolkit.timer = setTimeout(function() {
        callUserCallback(function() {
          if (GLUT.idleFunc) Toolkit.step();
        });
      }, wait);
    },

    end: function() {
      if (Toolkit.ended) return;
      Toolkit.ended = true;
      if (Toolkit.timer !== null) clearTimeout(Toolkit.timer);
      Toolkit.timer = null;
      GLUT.idleFunc = null;
      window.removeEventListener('keydown', GLUT.onKeydown, true);
      window.removeEventListener('keyup', GLUT.onKeyup, true);
      window.removeEventListener('mousemove', GLUT.onMousemove, true);
      window.removeEventListener('mousedown', GLUT.onMouseButtonDown, true);
      window.removeEventListener('mouseup', GLUT.onMouseButtonUp, true);
      window.removeEventListener('mousewheel', GLUT.onMouseWheel, true);
      window.removeEventListener('DOMMouseScroll', GLUT.onMouseWheel, true);
      ABORT = true;  // callUserCallback and the animation frames run nothing more
    },
  },

  // Before glutInit registers GLUT's handlers: keys by character, and every
  // handler run as a callback of the program's (an exit() inside it ends quietly,
  // and nothing runs after the end). The page may retire an instance it replaces.
  $GLUT__deps: ['$Browser', 'glutPostRedisplay', '$Toolkit', '$callUserCallback'],
  $GLUT__postset:
    'GLUT.getASCIIKey = Toolkit.asciiKey;' +
    'Toolkit.handlers.forEach(function(name) {' +
    '  var handler = GLUT[name];' +
    '  GLUT[name] = function(event) { callUserCallback(function() { handler(event); }); };' +
    '});' +
    'Module["retire"] = Toolkit.end;',

  glutInitWindowSize: function(width, height) {
    GLUT.initWindowWidth = width;
    GLUT.initWindowHeight = height;
  },

  glutReshapeWindow: function(width, height) {},

  glutFullScreen: function() {},

  glutMainLoop__deps: ['$GLUT', 'glutPostRedisplay'],
  glutMainLoop: function() {
    var canvas = Module['canvas'];
    if (GLUT.reshapeFunc) {{{ makeDynCall('vii', 'GLUT.reshapeFunc') }}}(canvas.width, canvas.height);
    _glutPostRedisplay();
    throw 'unwind';
  },

  glutIdleFunc__deps: ['$GLUT', '$Toolkit'],
  glutIdleFunc: function(func) {
    if (!GLUT.idleFunc !== !func && Module['idleChanged']) Module['idleChanged'](!!func);
    GLUT.idleFunc = func;
    if (Toolkit.inStep || Toolkit.ended) return;  // the step itself schedules the next one
    if (func && Toolkit.timer === null) Toolkit.schedule(0);
    if (!func && Toolkit.timer !== null) {
      clearTimeout(Toolkit.timer);
      Toolkit.timer = null;
    }
  },

  glutPostRedisplay__deps: ['$GLUT', '$Toolkit', '$Browser'],
  glutPostRedisplay: function() {
    if (Toolkit.inStep) {
      Toolkit.redisplay = true;
      return;
    }
    if (GLUT.displayFunc && !GLUT.requestedAnimationFrame) {
      GLUT.requestedAnimationFrame = true;
      Browser.requestAnimationFrame(function() {
        GLUT.requestedAnimationFrame = false;
        Browser.mainLoop.runIter(function() {
          {{{ makeDynCall('v', 'GLUT.displayFunc') }}}();
        });
      });
    }
  },

  // The idle function's wait before its next call, once its step is drawn.
  toolkit_wait_after_step__deps: ['$Toolkit'],
  toolkit_wait_after_step: function(ms) {
    Toolkit.wait = ms;
  },

  // The reshape callback, with the page's new size.
  toolkit_reshape__deps: ['$GLUT'],
  toolkit_reshape: function(width, height) {
    if (GLUT.reshapeFunc) {{{ makeDynCall('vii', 'GLUT.reshapeFunc') }}}(width, height);
  },

  // The program's exit(): the end, then emscripten's own exit, which keeps the
  // runtime (EXIT_RUNTIME=0) and throws ExitStatus, caught by callUserCallback.
  exit__deps: ['$Toolkit'],
  exit: function(status) {
    Toolkit.end();
    if (Module['onExit']) Module['onExit'](status);
    exit(status);
  },
});
