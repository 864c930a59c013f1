(defun c:/x ()
)
(defun c:a (
) 1)
;	"q
(defun c:b (p
/ l) (defun
